// The exports that use a companion module, described once for the matrices
// that make the module or the allocator misbehave under each of them.
#ifndef NODEXA_TESTS_EXPORTS_EXPORT_TABLE_H_
#define NODEXA_TESTS_EXPORTS_EXPORT_TABLE_H_

#include <cstdint>
#include <string>
#include <vector>

namespace nodexa::test {

struct ExportUnderTest {
  const char* name = "";
  const char* module = "";  // the stand-in's file name on the medium
  // The functions the export binds besides Initialize and Uninitialize; a
  // stand-in variant lacks each.
  std::vector<const char*> functions;
  // The module's answers when it behaves, and the export's argument, where
  // "{module}" stands for the module's full path.
  std::string answers;
  std::string argument;
  int32_t (*call)(const char* argument) = nullptr;
  // The result with a well-behaved module; for the port searches the number
  // of discovered records or lines, any of 0 to it after a failure.
  int32_t success = 1;
  bool countsRecords = false;
  // The value the export stores under kResultKey and what success stores.
  const char* storedName = nullptr;
  const char* stored = nullptr;
  // The log line of a function the module lacks, with "{function}" for its
  // name, and of a module that is not there.
  std::string missingFunctionLine;
  std::string missingModuleLine;
  bool keepsModule = false;
  // The well-behaved call needs the stand-in machine (printers of the model).
  bool needsStandIn = false;
  // The text function that follows the buffer convention, and whether the
  // export judges the status of the call that fills the buffer.
  const char* bufferFunction = nullptr;
  bool judgesFillingCall = true;
  // The export also asks the configuration module for the model.
  bool asksConfiguration = false;
};

const std::vector<ExportUnderTest>& ExportsUnderTest();

// `text` with every "{name}" replaced by `value`.
std::string Substituted(std::string text, const std::string& name, const std::string& value);

// The configuration module's answer for the model value.
inline const char kModelAnswer[] = "item.10000.1=QX-100 Series\n";

}  // namespace nodexa::test

#endif  // NODEXA_TESTS_EXPORTS_EXPORT_TABLE_H_
