#include "cli/Cli.h"

int main(int argc, char** argv)
{
    return qeltra3k::cli::Run(argc, argv);
}
