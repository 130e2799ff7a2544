#include "pages/calculate_page.h"

#include "platform/sound.h"
#include "platform/wait_cursor.h"
#include "platform/win_app.h"
#include "res/form_icons.h"

namespace {

// Screen readers name an input after the text just before it in z-order; the
// template lists each label after its input.
constexpr struct {
    const char* label;
    int input;
} kLabels[] = {
    {"Enter the length (min):", IDC_LENGTH},  {"Enter the file size:", IDC_DISCS},         {"MB", IDC_SIZE},
    {"Choose the sound quality:", IDC_AUDIO}, {"Please encode the video at:", IDC_RESULT},
};

// The pictures in template order.
constexpr int kFormIcons[] = {IDI_LENGTH, IDI_SIZE, IDI_AUDIO, IDI_RESULT};

bool IsIconPicture(HWND window)
{
    char kind[8] = "";
    return ::GetClassNameA(window, kind, sizeof kind) && !::lstrcmpiA(kind, "Static") &&
           (::GetWindowLongA(window, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

// The icon's line art in the dialog's text colour, as the words beside it: the
// same mask over an image that holds the text colour where the mask lets the
// image show and black, which leaves the screen as it is, elsewhere.
HICON InTextColour(HICON icon, int size)
{
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info))
        return nullptr;
    HICON coloured = nullptr;
    if (const HDC image = info.hbmColor ? ::CreateCompatibleDC(nullptr) : nullptr) {
        const HDC mask = ::CreateCompatibleDC(nullptr);
        const HGDIOBJ oldImage = ::SelectObject(image, info.hbmColor),
                      oldMask = ::SelectObject(mask, info.hbmMask);
        // A one-bit source lands as the text colour where it is 0 and the background colour where it is 1.
        ::SetTextColor(image, ::GetSysColor(COLOR_BTNTEXT));
        ::SetBkColor(image, RGB(0, 0, 0));
        const bool drawn = ::BitBlt(image, 0, 0, size, size, mask, 0, 0, SRCCOPY);
        ::SelectObject(mask, oldMask);
        ::SelectObject(image, oldImage);
        ::DeleteDC(mask);
        ::DeleteDC(image);
        coloured = drawn ? ::CreateIconIndirect(&info) : nullptr;
    }
    // Copies made for us by GetIconInfo.
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return coloured;
}

}  // namespace

CCalculatePage::CCalculatePage(CWnd* pParent) : CMessageMapImpl(IDD_CALCULATE_PAGE, pParent), m_model(*this)
{
}

void CCalculatePage::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SIZE_SPIN, m_spinSize);
    DDX_Control(pDX, IDC_DISCS, m_comboDiscs);
    DDX_Control(pDX, IDC_SIZE, m_editSize);
    DDX_Control(pDX, IDC_LENGTH_SPIN, m_spinLength);
    DDX_Control(pDX, IDC_RESULT, m_editResult);
    DDX_Control(pDX, IDC_LENGTH, m_editLength);
    DDX_Control(pDX, IDC_AUDIO, m_comboAudio);
}

BOOL CCalculatePage::OnInitDialog()
{
    // Binds the controls and fills both lists from the template's list data.
    if (!CDialog::OnInitDialog())
        return FALSE;

    // Selects the default rows and writes the default length and size; each
    // write evaluates, so the first result is there before the first paint.
    m_model.Initialise();
    PutLabelsBeforeInputs();
    FitIcons();

    // These raise no notification and change no text.
    m_editLength.SetLimitText(3);
    m_spinLength.SetRange(1, 500);
    m_editSize.SetLimitText(4);
    m_spinSize.SetRange(1, 9000);
    return TRUE;
}

void CCalculatePage::PutLabelsBeforeInputs() const
{
    for (const auto& [label, input] : kLabels) {
        const HWND box = GetDlgItem(input);
        const HWND before = ::GetWindow(box, GW_HWNDPREV);
        ::SetWindowPos(::FindWindowExA(m_hWnd, nullptr, "Static", label), before ? before : HWND_TOP, 0, 0, 0,
                       0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void CCalculatePage::FitIcons()
{
    // A picture takes its icon's size, so each icon is loaded at the largest
    // size drawn that stays inside its 20-unit-high box and left of the
    // labels, 30 units to its right. Each is coloured anew for the colour
    // scheme in force.
    const CRect room = MapDialogRect(CRect(0, 0, 30, 20));
    int size = kFormIconSizes[0];
    for (int drawn : kFormIconSizes)
        if (drawn <= room.Width() && drawn <= room.Height())
            size = drawn;
    size_t i = 0;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child && i < m_icons.size();
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!IsIconPicture(child))
            continue;
        COwnedIcon drawn(static_cast<HICON>(::LoadImageA(
            AfxGetResourceHandle(), MAKEINTRESOURCEA(kFormIcons[i]), IMAGE_ICON, size, size, 0)));
        COwnedIcon coloured(InTextColour(drawn.get(), size));
        // What it hands back is the template's shared icon or our last one,
        // which the assignment below destroys once it is no longer shown.
        ::SendMessageA(child, STM_SETICON, reinterpret_cast<WPARAM>(coloured ? coloured.get() : drawn.get()),
                       0);
        m_icons[i] = coloured ? std::move(coloured) : std::move(drawn);
        ++i;
    }
}

void CCalculatePage::SetLengthText(const char* text)
{
    m_editLength.SetWindowText(text);
    // The text put back after the special length is selected, so the next
    // digit typed replaces it instead of being refused by the full box.
    m_editLength.SetSel(0, -1);
}

void CCalculatePage::BeginWaitCursor()
{
    ::BeginWaitCursor();
}

void CCalculatePage::EndWaitCursor()
{
    ::EndWaitCursor();
}

void CCalculatePage::PlayAlertSound()
{
    PlayResourceSound(IDR_ALERT_SOUND);
}
