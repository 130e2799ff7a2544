#include "pages/help_page.h"

const char* const CHelpPage::kHelpText =
    "Some help information:\r\n\r\n"
    "This program will calculate the bitrate to use when encoding a DivX "
    "video.\r\n\r\nPlease use the Low-Motion codec and MP3 for the audio.\r\n\r\n"
    "1 CD = 650MB = 665600KB\r\n\r\nRemember that if you "
    "choose to encode a video at the bitrate this program tells you, the "
    "final file might not be as big as you specify.\r\n\r\nWhy?\r\n\r\n"
    "The DivX codec uses a switching bitrate throughout "
    "the whole videoconversion, which makes it impossible to know "
    "the exact bitrate to use before encoding.\r\n\r\n"
    "This program only calculates the bitrate as if it would be used through "
    "the whole video.\r\n\r\nIf this information is incorrect, please "
    "let me know!\r\n\r\n"
    "You must have a quite new MFC42.dll version to run this program. I don't "
    "exactly know what version that is required. Works with version 6.00.8168.0 - "
    "6.0.8665.0, doesn't work with version 4.2.6860.\r\n\r\n"
    "Legal Stuff:\r\n\r\n"
    "You may run this program at your own risk! If it completely destroys "
    "your computer or something like that, don't blame me! I have not added any "
    "functions into this program that is harmful to your computer, but if you "
    "get a virus when running this program, as I mentioned before:\r\nDON'T BLAME ME!";

void CHelpPage::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HELP_TEXT, m_editHelp);
}

BOOL CHelpPage::OnInitDialog()
{
    if (!CDialog::OnInitDialog())
        return FALSE;
    m_editHelp.SetWindowText(kHelpText);
    return TRUE;
}
