#pragma once
// SIGTERM, SIGINT and SIGHUP (the session or the system ending the program)
// end the event loop as the program's own Exit does, so the windows still
// save their settings on the way out.
void QuitOnTerminationSignals();
