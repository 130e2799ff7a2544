// The process entry: hands control to the one application object.
#include <cstdlib>
#include <new>

#include <windows.h>

#include "platform/win_app.h"

// Nothing in the program throws: running out of memory ends it, here rather
// than through the library's exception machinery.
void* operator new(std::size_t size)
{
    if (void* block = std::malloc(size ? size : 1))
        return block;
    std::abort();
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete[](void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    // It returns FALSE once the main window has closed: no message loop follows.
    app->InitInstance();
    return app->m_nExitCode;
}
