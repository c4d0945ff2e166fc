// nodexa: the command-line front end of the Nodexa library.
#include <exception>
#include <iostream>

#include "command_line.h"

int main(int argc, char** argv) {
  try {
    nodexa::cli::CommandLine commandLine;
    if (const auto status = commandLine.Parse(argc, argv, std::cout, std::cerr)) return *status;
    return commandLine.Run(std::cout, std::cerr);
  } catch (const std::exception& error) {
    std::cerr << "nodexa: " << error.what() << "\n";
    return 1;
  }
}
