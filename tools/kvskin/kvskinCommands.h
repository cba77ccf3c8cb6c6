// The commands of the kvskin tool, callable from tests.
#pragma once

#include <ostream>
#include <string>

namespace kvskin {

// Builds a package from a skin description file and its BMPs and writes it in the framed compressed layout.
void pack(const std::string& descriptionPath, const std::string& outPath);
// Writes the description (as "skin.ini") and every picture under its [PICTURES] name into dir.
void unpack(const std::string& packagePath, const std::string& dir, std::ostream& log);
// Prints the version, the pictures, the description's line count and the descriptions by class.
void info(const std::string& packagePath, std::ostream& out);

// Runs the command line; returns the process exit code.
int run(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace kvskin
