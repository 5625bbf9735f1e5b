#pragma once

// The one main window of the program: layout from FormTessel.ui, the window-level values the
// handlers share, and the handlers themselves.

#include "firmware/FirmwareFormat.h"
#include "i18n/Messages.h"

#include <QFileDialog>
#include <QMainWindow>
#include <QString>
#include <QTranslator>

#include <array>
#include <memory>

class BevelPanel;
class QComboBox;
class QKeyEvent;
class QToolButton;
class ShapeWidget;

namespace Ui {
class TForm1;
}

namespace preview {
class PreviewWindow;
}

class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    // The client area the window keeps, below its menu bar.
    static constexpr int kClientWidth = 708;
    static constexpr int kClientHeight = 513;

    // Images of ImageList1 that exist: the tool file bar's buttons refer to them by index.
    static constexpr int kImageOpen = 1;
    static constexpr int kImageSave = 2;
    static constexpr int kImageFlagItaly = 16;
    static constexpr int kImageFlagUk = 17;

    struct PaletteEntry {
        BevelPanel* panel = nullptr;
        ShapeWidget* shape = nullptr;
    };

    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Window-level values shared by the handlers; one window per program, so they start at
    // zero with it.
    std::array<QToolButton*, 16> PulsQuadri{};
    std::array<PaletteEntry, 8> Tavolozza{};
    int QuadroCorrente = 0;
    int ColSfoScorr = 0;
    int ColSfoFisso = 0;

    // Italian exactly while the menu entry Italiano is checked.
    i18n::Language CurrentLanguage() const;

    // The file a save copies its leading lines from: the last file an open accepted.
    const QString& SaveSource() const { return saveSource_; }

    // Shows image `index` of ImageList1 on a button of the tool file bar.
    static void SetImageIndex(QToolButton* button, int index);

    // Gives every entry of the list the height its "ItemHeight" asks for.
    static void SetItemHeight(QComboBox* list);

    // OpenDialog1 and SaveDialog1, built on first use and kept for the program's life.
    QFileDialog* OpenDialog();
    QFileDialog* SaveDialog();

    // The outer size FormResize holds: the client area plus the menu bar.
    QSize FixedWindowSize() const;

signals:
    // The settings as the window shows them, each time one of them changes: what a save would
    // gather, except that while the palette is open its highlighted colour stands in for its
    // target's.
    void SettingsEdited(const firmware::GeneratorSettings& settings);
    void LanguageSwitched();

public slots:
    void FormCreate();
    void FormResize();
    void Exit1Click();
    void ButtonOpenFileClick();
    // The open command's road after the dialog, for a name from anywhere (the dialog, the
    // command line, a drop): the status panel, the checks, the error box or notice, the settings.
    void OpenFirmwareFile(const QString& name);
    void ButtonSaveFileClick();
    void Quadro0Click();

    // The colour palette.
    void PulsScorrColSfoClick();
    void PulsFissoColSfoClick();
    void PanelNeroClick();
    void OkColoreClick();
    void CancellaColoreClick();
    void DisableMainGroups();
    void EnableMainGroups();

    // The text entry filter of both edits, called before the edit acts on each character.
    void EditTestoKeyPress(char32_t character);

    // The language switch.
    void ButtonLinguaClick();
    void ItalianoClick();
    void IngleseClick();

    // The preview of the generator's picture.
    void Preview1Click();
    void AnnounceSettings();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyFonts();
    void BindToolImages();
    void SetStartTexts();
    void AddUnnamedMenuItem();
    QFileDialog* MakeFileDialog(const char* objectName, const QString& title, QFileDialog::AcceptMode mode);
    void ConnectHandlers();
    void CentreOnScreen();
    void UseQtTexts(i18n::Language language);

    bool IsMenuShortcut(const QKeyEvent& key) const;
    void ShowStatus(const QString& caption, int fileNameFlag);
    QString Message(i18n::Message id) const;
    void ShowInvalidFileBox();
    void ShowSettings(const firmware::GeneratorSettings& settings);
    firmware::GeneratorSettings GatherSettings() const;
    firmware::GeneratorSettings ShownSettings() const;
    void ConnectPreview();
    void PressFrame(int frame);
    void OpenPalette(const QWidget& opener, int code, int target, int left);
    void MarkColour(int code, bool highlighted);
    std::array<QWidget*, 4> MainGroups() const;

    std::unique_ptr<Ui::TForm1> ui;
    QFileDialog* OpenDialog1 = nullptr;
    QFileDialog* SaveDialog1 = nullptr;
    QString saveSource_;
    QTranslator qtTexts_;  // Qt's own texts (file dialogs, message box buttons) in Italian
    preview::PreviewWindow* preview_ = nullptr;  // built when first opened
};
