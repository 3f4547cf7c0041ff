// The program: start the host, show the window, run until it is closed.
#include <windows.h>

#include "window/host.h"

namespace textmd5 {
namespace {

void InitialiseProgram() {}  // no global state to set up
void AtExit() {}             // nor any to tear down

int ProgramEntry(WindowHost& host) {
    host.Start();
    InitialiseProgram();
    host.RegisterAtExit(&AtExit);
    // Only an out-of-resources system refuses the window; say so in the exit code.
    if (!host.LoadStartWindow(MainWindowId)) return 1;
    host.RunMessageLoop();
    return 0;
}

}  // namespace
}  // namespace textmd5

// The command line and the show state are not used: the window always
// starts normal and centred.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    textmd5::WindowHost host(instance);
    const int code = textmd5::ProgramEntry(host);
    host.ShutDown();
    return code;
}
