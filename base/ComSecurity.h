#pragma once

// The process's default COM call security: connect-level authentication with
// identify-level impersonation. Set once per process, by the application
// object (or by a console tool or test that has none), after the calling
// thread has initialised COM and before the process's first WMI call.
// True when it was set now or had already been set in the process.
bool InitializeComSecurity();
