// Passing user-entered text through the setup program's validation
// component (a module whose path the setup program gives), and recording
// its answer as the value "ValidateUnicodeString" under a key of
// HKEY_LOCAL_MACHINE.
#ifndef NODEXA_ADAPTER_TEXT_VALIDATION_H_
#define NODEXA_ADAPTER_TEXT_VALIDATION_H_

#include <cstdint>

#include "platform/win32_api.h"

namespace nodexa {

// The component's interface: CreateCGrdDlgInstance() gives an object whose
// second virtual operation validates; DestroyCGrdDlgInstance(object) ends it.
using CreateValidatorFn = void* (*)();
using DestroyValidatorFn = void (*)(void* validator);
// Slot 1 of the validator's table: (object, second text, text, answer
// buffer, answer length in and out, 1) -> non-zero when the text is accepted.
using ValidateFn = int32_t (*)(void* validator, const WCHAR* second, const WCHAR* text,
                               WCHAR* answer, int32_t* answerLength, int32_t flag);

// `values`: module path|text|second text|key path. 1 when the component
// accepted the text.
int32_t ValidateText(const char* values);

}  // namespace nodexa

#endif  // NODEXA_ADAPTER_TEXT_VALIDATION_H_
