// Stand-in validation component: CreateCGrdDlgInstance gives an object
// whose second virtual operation validates a text (UTF-16 in and out);
// DestroyCGrdDlgInstance ends it.
//
// Answers (see standin.h for the file's form):
//   Validate.result   what the validation returns (default 1: accepted)
//   Validate.answer   the answer text, UTF-8 (default: the text itself)
//   Validate.length   the answer length reported back, in UTF-16 units
//                     (default: the answer's length)
//   Validate.capacity "length": write as many units as the length received
//                     says (default: 511 at most)
//   CreateCGrdDlgInstance.null=1   no object is created (null comes back)
// Journal: "CreateCGrdDlgInstance", then "Validate" second text, text (both
// as UTF-8), the length received and the flag, then "DestroyCGrdDlgInstance".
// Building with STANDIN_WITHOUT_<Function> leaves that function out.
#include <string>

#include "common/standin.h"

namespace {

using Unit = uint16_t;

std::string ToUtf8(const Unit* text) {
  std::string out;
  for (; text != nullptr && *text != 0; ++text) {
    uint32_t c = *text;
    if (c >= 0xD800 && c < 0xDC00 && text[1] >= 0xDC00 && text[1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (*++text - 0xDC00);
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::basic_string<Unit> FromUtf8(const std::string& text) {
  std::basic_string<Unit> out;
  for (size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const int extra = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
    uint32_t c = extra == 0 ? byte : static_cast<uint32_t>(byte & (0x3F >> extra));
    for (int k = 1; k <= extra && i + static_cast<size_t>(k) < text.size(); ++k) {
      c = (c << 6) | (static_cast<unsigned char>(text[i + static_cast<size_t>(k)]) & 0x3F);
    }
    i += static_cast<size_t>(extra) + 1;
    if (c >= 0x10000) {
      out += static_cast<Unit>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<Unit>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<Unit>(c);
    }
  }
  return out;
}

class Validator {
 public:
  Validator() = default;
  Validator(const Validator&) = delete;
  Validator& operator=(const Validator&) = delete;

  // Slot 0: the component's dialog, which the library never calls.
  virtual void Show() { standin::Journal("Show"); }

  // Slot 1.
  virtual int32_t Validate(const Unit* second, const Unit* text, Unit* answer, int32_t* length,
                           int32_t flag) {
    standin::Journal(
        "Validate", {ToUtf8(second), ToUtf8(text),
                     length != nullptr ? std::to_string(*length) : "(null)", std::to_string(flag)});
    const standin::Answers answers = standin::Answers::Load();
    const std::basic_string<Unit> reply =
        answers.Has("Validate.answer")
            ? FromUtf8(answers.Text("Validate.answer"))
            : std::basic_string<Unit>(text != nullptr ? text : nullptr,
                                      text != nullptr ? std::char_traits<Unit>::length(text) : 0);
    // 511 units at most, or as many as the length received when told to take
    // that as the buffer's capacity, as some components do.
    const size_t room =
        answers.Text("Validate.capacity") == "length" && length != nullptr && *length >= 0
            ? static_cast<size_t>(*length)
            : 511;
    const size_t units = reply.size() < room ? reply.size() : room;
    if (answer != nullptr) reply.copy(answer, units);
    if (length != nullptr) {
      *length = answers.Number("Validate.length", static_cast<int64_t>(units));
    }
    return answers.Number("Validate.result", 1);
  }

 protected:
  ~Validator() = default;
};

class OwnedValidator final : public Validator {
 public:
  ~OwnedValidator() = default;
};

}  // namespace

#if !defined(STANDIN_WITHOUT_CreateCGrdDlgInstance)
STANDIN_EXPORT void* CreateCGrdDlgInstance() {
  standin::Journal("CreateCGrdDlgInstance");
  if (standin::Answers::Load().Text("CreateCGrdDlgInstance.null") == "1") return nullptr;
  return static_cast<Validator*>(new OwnedValidator());
}
#endif

#if !defined(STANDIN_WITHOUT_DestroyCGrdDlgInstance)
STANDIN_EXPORT void DestroyCGrdDlgInstance(void* validator) {
  standin::Journal("DestroyCGrdDlgInstance");
  delete static_cast<OwnedValidator*>(static_cast<Validator*>(validator));
}
#endif
