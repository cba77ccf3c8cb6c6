#include <iostream>

#include "tools/kvskin/kvskinCommands.h"

int main(int argc, char** argv) { return kvskin::run(argc, argv, std::cout, std::cerr); }
