#pragma once

#include <array>

#include "model/calculator_model.h"
#include "platform/combo_box.h"
#include "platform/dialog.h"
#include "platform/edit.h"
#include "platform/message_map.h"
#include "platform/owned_icon.h"
#include "platform/spin_button_ctrl.h"
#include "res/resource.h"

// The calculator form on the "Calculate" tab. It owns the bitrate model and
// is the model's only way to the screen.
class CCalculatePage : public CMessageMapImpl<CCalculatePage, CDialog>, private ICalculatorForm {
public:
    explicit CCalculatePage(CWnd* pParent = nullptr);

    // Bound in this order.
    CSpinButtonCtrl m_spinSize;
    CComboBox m_comboDiscs;
    CEdit m_editSize;
    CSpinButtonCtrl m_spinLength;
    CEdit m_editResult;
    CEdit m_editLength;
    CComboBox m_comboAudio;
    CalculatorModel m_model;
    // The form's pictures, at the size their boxes take at this DPI, drawn in
    // the dialog's text colour.
    std::array<COwnedIcon, 4> m_icons;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnChangeLength() { m_model.OnChangeLength(); }
    void OnSelchangeAudio() { m_model.OnSelchangeAudio(); }
    void OnChangeSize() { m_model.OnChangeSize(); }
    void OnSelchangeDiscs() { m_model.OnSelchangeDiscs(); }
    void OnSysColorChange() { FitIcons(); }

    static constexpr MessageEntry<CCalculatePage> messageMap[] = {
        OnMessage<WM_SYSCOLORCHANGE, &CCalculatePage::OnSysColorChange>(),
        OnCommand<&CCalculatePage::OnChangeLength>(EN_CHANGE, IDC_LENGTH),
        OnCommand<&CCalculatePage::OnSelchangeAudio>(CBN_SELCHANGE, IDC_AUDIO),
        OnCommand<&CCalculatePage::OnChangeSize>(EN_CHANGE, IDC_SIZE),
        OnCommand<&CCalculatePage::OnSelchangeDiscs>(CBN_SELCHANGE, IDC_DISCS),
    };

private:
    void PutLabelsBeforeInputs() const;
    void FitIcons();

    // What the model reads and writes, through the bound controls.
    bool IsLengthBound() const override { return m_editLength.m_hWnd != nullptr; }
    TextBuffer GetLengthText() const override { return m_editLength.GetWindowText(); }
    void SetLengthText(const char* text) override;
    bool IsSizeBound() const override { return m_editSize.m_hWnd != nullptr; }
    TextBuffer GetSizeText() const override { return m_editSize.GetWindowText(); }
    void SetSizeText(const char* text) override { m_editSize.SetWindowText(text); }
    void SetResultText(const char* text) override { m_editResult.SetWindowText(text); }
    int GetAudioRow() const override { return m_comboAudio.GetCurSel(); }
    void SetAudioRow(int row) override { m_comboAudio.SetCurSel(row); }
    int GetDiscsRow() const override { return m_comboDiscs.GetCurSel(); }
    void SetDiscsRow(int row) override { m_comboDiscs.SetCurSel(row); }
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void PlayAlertSound() override;
};
