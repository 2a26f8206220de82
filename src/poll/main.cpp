#include "poll/poll_program.h"

int main(int argc, char **argv)
{
    return orv::RunPollProgram(argc, argv);
}
