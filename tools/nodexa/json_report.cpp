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

}  // namespace

std::string ReportJson(const Report& report) {
  Json json;
  json["command"] = report.command;
  json["export"] = report.exportName;
  if (report.list) {
    json["request"] = Strings(report.request);
    if (!report.ruleSet.empty()) json["ruleSet"] = AnsiToUtf8(report.ruleSet);
    Json records = Json::array();
    for (const PortRecord& record : report.records) {
      records.push_back({{"kind", KindName(record.kind)},
                         {"discovered", record.discovered},
                         {"fields", Fields(record.fields)},
                         {"raw", AnsiToUtf8(record.raw)}});
    }
    json["records"] = std::move(records);
  } else {
    json["argument"] = report.argument ? Json(AnsiToUtf8(*report.argument)) : Json(nullptr);
    json["result"] = report.result;
    json["meaning"] = AnsiToUtf8(report.meaning);
    if (report.stored) {
      const StoredValue& stored = *report.stored;
      Json value = stored.value ? Json(AnsiToUtf8(*stored.value)) : Json(nullptr);
      json["stored"] = {
          {"key", AnsiToUtf8(stored.key)}, {"name", stored.name}, {"value", std::move(value)}};
      if (stored.value && !stored.partNames.empty()) {
        json["stored"]["fields"] = Fields(StoredRecord(stored).fields);
      }
    }
  }
  json["exitStatus"] = ExitStatus(report);
  // Bytes that are not UTF-8 after conversion cannot occur, but a report
  // must print whatever the library returned.
  return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace nodexa::cli
