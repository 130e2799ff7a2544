#include "cstring.h"

#include "win_app.h"

bool CString::LoadString(UINT nID)
{
    // LoadStringA reports only how much it copied, so grow until it fits.
    std::string buffer(256, '\0');
    for (;;) {
        int copied = ::LoadStringA(AfxGetResourceHandle(), nID, buffer.data(), static_cast<int>(buffer.size()));
        if (copied < static_cast<int>(buffer.size()) - 1 || buffer.size() >= 65536) {
            m_text.assign(buffer.data(), copied > 0 ? copied : 0);
            return copied > 0;
        }
        buffer.resize(buffer.size() * 2);
    }
}
