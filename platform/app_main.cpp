// The process entry: hands control to the one application object.
#include <cstdlib>

#include <windows.h>

#include "win_app.h"

// The default terminate handler pulls in a 46 KB demangler to print a message
// nobody sees in a GUI program.
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
}  // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    app->m_hInstance = hInstance;
    if (!app->InitInstance())
        return 0;
    return app->Run();
}
