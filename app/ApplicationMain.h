#pragma once

// Starts the application: the controller, its start-up sequence, the main
// window and the event loop. Returns the exit status.
int applicationMain(int argc, char** argv);
