#include <iostream>

#include "tools/kvskin/kvskinCommands.h"

int main(int argc, char** argv) { return fw::kvskinMain(argc, argv, std::cout, std::cerr); }
