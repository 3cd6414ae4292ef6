#pragma once
#include "widgets/SecondaryWindow.h"
#include "diagram/DiagramSettings.h"

class LegendPictures;
class Platform;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class RadioGroup;

// The image properties dialog: every drawing setting of the diagram. The
// diagram reads the settings from the controls whenever it draws.
class TOKBottomDlg1 : public SecondaryWindow {
    Q_OBJECT
public:
    TOKBottomDlg1(Platform& platform, LegendPictures& pictures);

    DiagramSettings settings() const;
    DiagramUnits units() const;
    void setUnits(DiagramUnits units);
    QFont diagramFont() const { return fontDialogFont_; }
    // The size of the female legend picture, which is also the hit-test size.
    QSize femalePictureSize() const { return femalePreview_.size(); }

    // Puts the settings a tree file kept into the controls, as if the user had set them.
    void applyKeptSettings(const DiagramSettings& settings, const QFont& font, const QImage& male, const QImage& female);

    void OKBtnClick();
    void Image1DblClick();
    void Image2DblClick();
    void BitBtn1Click();
    void SpinEdit1Exit();

    QCheckBox *CheckBox7 = nullptr, *CheckBox8 = nullptr, *CheckBox9 = nullptr, *CheckBox10 = nullptr;
    QCheckBox *CheckBox13 = nullptr, *CheckBox2 = nullptr, *CheckBox1 = nullptr, *CheckBox3 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QSpinBox *SpinEdit1 = nullptr, *SpinEdit2 = nullptr, *SpinEdit3 = nullptr;
    QLabel *Image1 = nullptr, *Image2 = nullptr, *Image3 = nullptr, *Image4 = nullptr, *Image5 = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *BitBtn1 = nullptr, *OKBtn = nullptr;
    QRadioButton *RadioButton1 = nullptr, *RadioButton2 = nullptr;
    RadioGroup* RadioGroup1 = nullptr;

Q_SIGNALS:
    // After the dialog has hidden itself: the main window applies the settings.
    void confirmed();
    // A font was chosen; the canvas takes it at once.
    void fontChosen(const QFont& font);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void buildLegendAndStyle();
    QCheckBox* addCheckBox(const char* name, const char* caption, QRect geometry, bool checked, bool enabled);
    QLabel* addLabel(const char* name, const char* caption, QPoint at);
    QLabel* addLegendImage(const char* name, QRect geometry, const QImage& picture);
    QSpinBox* addSpinEdit(const char* name, QRect geometry, int value, int minimum, int maximum);
    bool chooseLegendPicture(QLabel* preview, QImage& drawingPicture);

    Platform& platform_;
    LegendPictures& pictures_;
    QFont fontDialogFont_;
    QImage femalePreview_;
};
