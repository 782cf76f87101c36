#pragma once
namespace qeltra3k::cli {
// Runs the qeltra3k command line; returns the process exit code.
int Run(int argc, char** argv);
}  // namespace qeltra3k::cli
