#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <cstdint>
#include <memory>

#include "SetupSettings.h"
#include "platform/forms/Form.h"

// The setup wizard's window: seven pages drawn on the form surface that lead from the
// product-number digits through decimals, printing, menu pictures and support screens
// to the confirmation, where 完了 writes the settings and the install information and
// ends the program.
class frmSetup : public forms::Form {
  public:
    static constexpr int16_t LastStep = 6;

    frmSetup();
    ~frmSetup() override;

    QPushButton* BeforeButton;
    QPushButton* NextButton;
    QPushButton* EndButton;
    std::array<QComboBox*, 1> CmdCombo;
    std::array<QRadioButton*, 2> CmdOption;
    std::array<QCheckBox*, 2> CmdCheck;

    void BeforeButton_Click();
    void NextButton_Click();
    void EndButton_Click();

    // The page shown (0 to 6).
    int16_t Step() const { return step_; }
    // The settings being edited; null until they have been read.
    const SetupSettings* Settings() const { return settings_.get(); }

  protected:
    void Form_Load() override;

  private:
    // Reads the stored rows. False when the program ends here: after a failed read
    // (its message shown), or when the settings were made before outside reset mode
    // (the install information written).
    bool LoadCurrentSettings();
    void StoreStepChoice(int16_t step);
    void SaveSettings();
    void ShowStep();

    void DrawFrame();
    void DrawWelcome();
    void DrawHeader(const QString& title, const QString& subtitle, const QString& body);
    void ShowDigits();
    void ShowOptions(const QString& first, const QString& second, bool firstChosen);
    void ShowPrinting();
    void ShowSupport();
    void DrawConfirmation();

    std::unique_ptr<SetupSettings> settings_;
    int16_t step_ = 0;
};
