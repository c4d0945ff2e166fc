#include "json_report.h"

#include <nlohmann/json.hpp>

#include "terminal.h"

namespace nodexa::cli {

namespace {

using Json = nlohmann::ordered_json;

Json Fields(const std::vector<Field>& fields) {
  Json object = Json::object();
  for (const Field& field : fields) object[AnsiToUtf8(field.first)] = AnsiToUtf8(field.second);
  return object;
}

Json Strings(const std::vector<std::string>& texts) {
  Json array = Json::array();
  for (const std::string& text : texts) array.push_back(AnsiToUtf8(text));
  return array;
}

Json TextOrNull(const std::optional<std::string>& text) {
  return text ? Json(AnsiToUtf8(*text)) : Json(nullptr);
}

Json StoredJson(const StoredValue& stored) {
  Json json = {{"key", AnsiToUtf8(stored.key)},
               {"name", stored.name},
               {"value", TextOrNull(stored.value)},
               {"written", stored.written}};
  if (!stored.written) json["refusal"] = stored.refusal;
  if (stored.written && !stored.partNames.empty()) {
    json["fields"] = Fields(StoredRecord(stored).fields);
  }
  return json;
}

// Bytes that are not UTF-8 after conversion cannot occur, but a report
// must print whatever the library returned.
std::string Dump(const Json& json) {
  return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace

std::string ReportJson(const Report& report, const CallSetting& setting) {
  Json json;
  json["command"] = report.command;
  json["export"] = report.exportName;
  json["arguments"] = Strings(report.arguments);
  json["result"] = report.result;
  json["meaning"] = AnsiToUtf8(report.meaning);
  if (report.list) {
    if (!report.ruleSet.empty()) json["ruleSet"] = AnsiToUtf8(report.ruleSet);
    Json records = Json::array();
    for (const PortRecord& record : report.records) {
      records.push_back({{"kind", KindName(record.kind)},
                         {"discovered", record.discovered},
                         {"fields", Fields(record.fields)},
                         {"raw", AnsiToUtf8(record.raw)}});
    }
    json["records"] = std::move(records);
  }
  if (report.stored) json["stored"] = StoredJson(*report.stored);
  json["medium"] = GivenTextUtf8(setting.medium);
  json["machine"] = setting.machine.empty() ? Json(nullptr) : Json(GivenTextUtf8(setting.machine));
  if (!setting.log.empty()) json["log"] = GivenTextUtf8(setting.log);
  json["exitStatus"] = ExitStatus(report);
  return Dump(json);
}

std::string UsageErrorJson(const std::string& command, const std::string& message, int status) {
  Json json;
  json["command"] = command.empty() ? Json(nullptr) : Json(command);
  json["error"] = GivenTextUtf8(message);
  json["exitStatus"] = status;
  return Dump(json);
}

}  // namespace nodexa::cli
