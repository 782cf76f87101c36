#pragma once
// The commands of the qeltra3k tool. Each takes the words after its own name.
#include <iosfwd>
#include <string>
#include <vector>

namespace qeltra3k::cli {

using Args = std::vector<std::string>;

int ResourceCommand(const Args& args, std::ostream& out, std::ostream& err);
int ShowCommand(const Args& args, std::ostream& out, std::ostream& err);
int MacrosCommand(const Args& args, std::ostream& out, std::ostream& err);

}  // namespace qeltra3k::cli
