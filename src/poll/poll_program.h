#pragma once
// orvessa-poll as a whole: command line, port, engine, poll loop or scan, exit status.
namespace orv {

// Runs the poller with its own core application; returns the exit status.
int RunPollProgram(int argc, char **argv);

} // namespace orv
