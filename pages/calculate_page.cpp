#include "pages/calculate_page.h"

#include "platform/sound.h"
#include "platform/wait_cursor.h"

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

    // These raise no notification and change no text.
    m_editLength.SetLimitText(3);
    m_spinLength.SetRange(1, 500);
    m_editSize.SetLimitText(4);
    m_spinSize.SetRange(1, 9000);
    return TRUE;
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
