#pragma once
// The commands of the qeltra3k tool. Each takes the words after its own name.
#include <iosfwd>
#include <string>
#include <vector>

namespace qeltra3k::cli {

using Args = std::vector<std::string>;
struct Environment;

// Commands on files.
int ResourceCommand(const Args& args, std::ostream& out, std::ostream& err);
int ShowCommand(const Args& args, std::ostream& out, std::ostream& err);
int MacrosCommand(const Args& args, std::ostream& out, std::ostream& err);

// Commands on the mouse (cli/DeviceSession.h has their options and environment).
int ListCommand(const Args& args, const Environment& environment, std::ostream& out, std::ostream& err);
int ReadCommand(const Args& args, const Environment& environment, std::ostream& out, std::ostream& err);
int SaveProfileCommand(const Args& args, const Environment& environment, std::ostream& out, std::ostream& err);
int LoadProfileCommand(const Args& args, const Environment& environment, std::ostream& out, std::ostream& err);
int ResetCommand(const Args& args, const Environment& environment, std::ostream& out, std::ostream& err);
int ApplyCommand(const Args& args, const Environment& environment, std::ostream& out, std::ostream& err);
int KeyTestCommand(const Args& args, const Environment& environment, std::ostream& out, std::ostream& err);
// `show IMAGE_FILE` decodes a file (ShowCommand); `show` without one reads the mouse first.
int ShowDeviceCommand(const Args& args, const Environment& environment, std::ostream& out, std::ostream& err);

}  // namespace qeltra3k::cli
