#include "FormTessel.h"

#include "AccessibleControl.h"
#include "AccessibleMenuEntry.h"
#include "BevelPanel.h"
#include "CaptionSet.h"
#include "DeferredIconEngine.h"
#include "FileDrop.h"
#include "FilteredLineEdit.h"
#include "FirmwareFileDialog.h"
#include "NameFilter.h"
#include "PlainMessage.h"
#include "KelvoResources.h"
#include "PreviewWindow.h"
#include "ShapeWidget.h"
#include "TextEntryRule.h"
#include "WindowAccess.h"
#include "firmware/FirmwareFile.h"
#include "ui_FormTessel.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int kFrameButtonWidth = 81;
constexpr int kFrameButtonHeight = 63;

// Where the palette opens within Panel2: beside the sliding text's or the call sign's
// controls, below the file tool bar.
constexpr int kPaletteTop = 44;
constexpr int kPaletteLeftSliding = 26;
constexpr int kPaletteLeftFixed = 508;
constexpr int kTargetSliding = 0;
constexpr int kTargetFixed = 1;

// The form's own texts of the two file dialogs; the language switch rewrites them.
const char* const kFileFilter = "File Caricabile (*.HEX)|*.hex";
const char* const kOpenTitle = "Apertura File...";
const char* const kSaveTitle = "Scrittura File...";

QColor DisplayColour(int code)
{
    const firmware::RgbColour rgb = firmware::ColourOfCode(code);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QString FromDevice(const std::string& text)
{
    return QString::fromLatin1(text);
}

std::string ToDevice(const QString& text)
{
    return text.toLatin1().toStdString();
}

std::string LocalPath(const QString& name)
{
    return QFile::encodeName(name).toStdString();
}

QIcon ImageList1(int index)
{
    return DeferredIconEngine::Icon(kelvo::resources::toolImagePath(index));
}

QIcon ImageList2(int frame)
{
    return DeferredIconEngine::Icon(kelvo::resources::frameThumbnailPath(frame));
}

// No selected entry counts as the first one.
int SelectedPosition(const QComboBox* list)
{
    return std::max(0, list->currentIndex());
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent), ui(std::make_unique<Ui::TForm1>())
{
    // Before any control exists: a screen reader may ask about each as it is built.
    QAccessible::installFactory(AccessibleControl::Create);
    QAccessible::installFactory(AccessibleMenuEntry::Create);
    ui->setupUi(this);
    // Where Qt's translations are not installed, its texts simply stay English.
    (void)qtTexts_.load(QLocale(QLocale::Italian), QStringLiteral("qt"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    UseQtTexts(CurrentLanguage());
    ApplyFonts();
    BindToolImages();
    SetStartTexts();
    AddUnnamedMenuItem();
    for (QComboBox* list : {ui->ComboDimFisso, ui->ComboDimScorr, ui->ComboVelocita})
        list->installEventFilter(this);
    ConnectHandlers();
    // A file dropped on the window takes the open command's road, but not while the palette
    // keeps the rest of the window waiting.
    new FileDrop(*this, [this] { return !ui->TavolaColore->isHidden(); },
                 [this](const QString& name) { OpenFirmwareFile(name); });
    FormCreate();
    ConnectPreview();
    new WindowAccess(*this, *ui);
    describeStartupTexts(*this);
    setFixedSize(FixedWindowSize());
    CentreOnScreen();
}

TForm1::~TForm1() = default;

// The layout gives each control's font as family, weight and a size in pixels (the .ui
// font element holds point sizes only). Every font is complete, so a control's font does
// not change again when a container's is set afterwards; going from the innermost controls
// outwards, each font is worked out once.
void TForm1::ApplyFonts()
{
    QList<QWidget*> widgets = findChildren<QWidget*>();
    widgets.prepend(this);
    for (auto it = widgets.crbegin(); it != widgets.crend(); ++it) {
        QWidget* widget = *it;
        const QVariant pixels = widget->property("fontPixelSize");
        if (!pixels.isValid())
            continue;
        QFont font(widget->property("fontFamily").toString());
        font.setBold(widget->property("fontBold").toBool());
        font.setPixelSize(pixels.toInt());
        widget->setFont(font);
    }
}

// Each tool button names its picture by its "ImageIndex": ImageList1 on the file bar,
// ImageList2 (the frame thumbnails) on the two frame bars.
void TForm1::BindToolImages()
{
    for (QToolButton* button : ui->ToolFile->findChildren<QToolButton*>())
        SetImageIndex(button, button->property("ImageIndex").toInt());
    for (QWidget* bar : {ui->ToolBar2, ui->ToolBar1}) {
        for (QToolButton* button : bar->findChildren<QToolButton*>())
            button->setIcon(ImageList2(button->property("ImageIndex").toInt()));
    }
}

void TForm1::SetImageIndex(QToolButton* button, int index)
{
    button->setProperty("ImageIndex", index);
    button->setIcon(ImageList1(index));
}

// The lists start with their prompt as the edit's own text and no entry selected; the
// version comes from the build.
void TForm1::SetStartTexts()
{
    for (QComboBox* list : {ui->ComboDimFisso, ui->ComboDimScorr, ui->ComboVelocita}) {
        SetItemHeight(list);
        list->setCurrentIndex(-1);
        list->setEditText(list->placeholderText());
    }
    ui->Label10->setText(QStringLiteral(KELVO_VERSION));
}

void TForm1::SetItemHeight(QComboBox* list)
{
    const QSize entry(0, list->property("ItemHeight").toInt());
    for (int position = 0; position < list->count(); ++position)
        list->setItemData(position, entry, Qt::SizeHintRole);
}

// The File menu has an empty entry before Esci that does nothing; only a screen reader
// hears a name for it.
void TForm1::AddUnnamedMenuItem()
{
    auto* entry = new QAction(ui->File1);
    entry->setObjectName(QStringLiteral("VoceVuota"));
    ui->File1->insertAction(ui->Exit1, entry);
}

// The dialogs are built when first needed (building one costs more than the rest of the
// window's start) and then kept, so each remembers the folder and file chosen last.
QFileDialog* TForm1::OpenDialog()
{
    if (OpenDialog1 == nullptr)
        OpenDialog1 = MakeFileDialog("OpenDialog1", QString::fromLatin1(kOpenTitle), QFileDialog::AcceptOpen);
    return OpenDialog1;
}

QFileDialog* TForm1::SaveDialog()
{
    if (SaveDialog1 == nullptr)
        SaveDialog1 = MakeFileDialog("SaveDialog1", QString::fromLatin1(kSaveTitle), QFileDialog::AcceptSave);
    return SaveDialog1;
}

QFileDialog* TForm1::MakeFileDialog(const char* objectName, const QString& title, QFileDialog::AcceptMode mode)
{
    auto* dialog = new FirmwareFileDialog(this, title, mode, [this] { return CurrentLanguage(); });
    dialog->setObjectName(QString::fromLatin1(objectName));
    dialog->setNameFilter(QtNameFilter(QString::fromLatin1(kFileFilter)));
    return dialog;
}

void TForm1::ConnectHandlers()
{
    connect(ui->ButtonOpenFile, &QToolButton::clicked, this, &TForm1::ButtonOpenFileClick);
    connect(ui->Open1, &QAction::triggered, this, &TForm1::ButtonOpenFileClick);
    connect(ui->ButtonSaveFile, &QToolButton::clicked, this, &TForm1::ButtonSaveFileClick);
    connect(ui->Save1, &QAction::triggered, this, &TForm1::ButtonSaveFileClick);
    connect(ui->Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    for (QWidget* bar : {ui->ToolBar2, ui->ToolBar1}) {
        for (QToolButton* button : bar->findChildren<QToolButton*>())
            connect(button, &QToolButton::clicked, this, &TForm1::Quadro0Click);
    }

    connect(ui->PulsScorrColSfo, &QPushButton::clicked, this, &TForm1::PulsScorrColSfoClick);
    connect(ui->PulsFissoColSfo, &QPushButton::clicked, this, &TForm1::PulsFissoColSfoClick);
    for (BevelPanel* panel : ui->TavolaColore->findChildren<BevelPanel*>())
        connect(panel, &BevelPanel::clicked, this, &TForm1::PanelNeroClick);
    connect(ui->OkColore, &QPushButton::clicked, this, &TForm1::OkColoreClick);
    connect(ui->CancellaColore, &QPushButton::clicked, this, &TForm1::CancellaColoreClick);

    const QList<QKeySequence> menuShortcuts = {ui->Open1->shortcut(),    ui->Save1->shortcut(),
                                               ui->Preview1->shortcut(), ui->Italiano->shortcut(),
                                               ui->Inglese->shortcut(),  ui->Exit1->shortcut()};
    for (FilteredLineEdit* edit : {ui->EditTesto, ui->EditNominativo}) {
        edit->setReservedShortcuts(menuShortcuts);
        connect(edit, &FilteredLineEdit::keyPress, this, &TForm1::EditTestoKeyPress);
    }

    connect(ui->ButtonLingua, &QToolButton::clicked, this, &TForm1::ButtonLinguaClick);
    connect(ui->Italiano, &QAction::triggered, this, &TForm1::ItalianoClick);
    connect(ui->Inglese, &QAction::triggered, this, &TForm1::IngleseClick);
}

void TForm1::CentreOnScreen()
{
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void TForm1::FormCreate()
{
    for (QGroupBox* group : {ui->GroupTestoScorrevole, ui->GroupTestoFisso, ui->GroupQuadri, ui->GroupDi})
        group->setEnabled(false);

    PulsQuadri = {ui->Quadro0,  ui->Quadro1,  ui->Quadro2,  ui->Quadro3, ui->Quadro4,  ui->Quadro5,
                  ui->Quadro6,  ui->Quadro7,  ui->Quadro8,  ui->Quadro9, ui->Quadro10, ui->Quadro11,
                  ui->Quadro12, ui->Quadro13, ui->Quadro14, ui->Quadro15};

    const std::array<ShapeWidget*, 8> shapes = {ui->ShapeNero,  ui->ShapeBlu,     ui->ShapeRosso,
                                                ui->ShapeViola, ui->ShapeVerde,   ui->ShapeAzzurro,
                                                ui->ShapeGiallo, ui->ShapeBianco};
    const QColor buttonFace = palette().color(QPalette::Button);
    for (std::size_t code = 0; code < shapes.size(); ++code) {
        Tavolozza[code].shape = shapes[code];
        shapes[code]->setPenColor(buttonFace);
    }
    const std::array<BevelPanel*, 8> panels = {ui->PanelNero,  ui->PanelBlu,    ui->PanelRosso,
                                               ui->PanelViola, ui->PanelVerde,  ui->PanelAzzurro,
                                               ui->PanelGiallo, ui->PanelBianco};
    for (std::size_t code = 0; code < panels.size(); ++code)
        Tavolozza[code].panel = panels[code];

    ui->EditTesto->setMaxLength(int(firmware::kSlidingTextLength));
    ui->EditNominativo->setMaxLength(int(firmware::kFixedTextLength));

    for (QWidget* bar : {ui->ToolBar2, ui->ToolBar1}) {
        for (QToolButton* button : bar->findChildren<QToolButton*>())
            button->resize(kFrameButtonWidth, kFrameButtonHeight);
    }
}

QSize TForm1::FixedWindowSize() const
{
    return QSize(kClientWidth, kClientHeight + ui->MainMenu1->sizeHint().height());
}

void TForm1::FormResize()
{
    const QSize fixed = FixedWindowSize();
    if (size() != fixed)
        resize(fixed);
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::Exit1Click()
{
    QCoreApplication::quit();
}

i18n::Language TForm1::CurrentLanguage() const
{
    return ui->Italiano->isChecked() ? i18n::Language::Italian : i18n::Language::English;
}

QString TForm1::Message(i18n::Message id) const
{
    const std::string_view text = i18n::message(CurrentLanguage(), id);
    return QString::fromUtf8(text);
}

// The drop-down lists' text fields claim some of the menu's shortcuts (Ctrl+X as cut, Ctrl+E as
// end of line); the menu wins them whichever control has the focus. The two text fields of the
// settings see to it themselves.
bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && IsMenuShortcut(*static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TForm1::IsMenuShortcut(const QKeyEvent& key) const
{
    const QKeySequence typed(key.keyCombination());
    const std::array<const QAction*, 6> menu = {ui->Open1,    ui->Save1,   ui->Preview1,
                                                ui->Italiano, ui->Inglese, ui->Exit1};
    return std::any_of(menu.begin(), menu.end(),
                       [&typed](const QAction* action) { return action->shortcut() == typed; });
}

void TForm1::ShowStatus(const QString& caption, int fileNameFlag)
{
    ui->Panel4->setCaption(caption);
    ui->Panel4->setProperty("Tag", fileNameFlag);
}

void TForm1::ButtonOpenFileClick()
{
    QFileDialog* dialog = OpenDialog();
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return;
    OpenFirmwareFile(dialog->selectedFiles().constFirst());
}

void TForm1::OpenFirmwareFile(const QString& name)
{
    ShowStatus(name, 1);

    const firmware::LoadResult result = firmware::LoadFirmwareFile(LocalPath(name));
    switch (result.outcome) {
    case firmware::LoadOutcome::NotOpened:
        ShowStatus(Message(i18n::Message::NotOpenedNotice), 0);
        return;
    case firmware::LoadOutcome::NotValid:
        ShowInvalidFileBox();
        ShowStatus(Message(i18n::Message::RejectedFilePrompt), 0);
        return;
    case firmware::LoadOutcome::Valid:
        saveSource_ = name;
        ShowSettings(result.settings);
        return;
    }
}

void TForm1::ShowInvalidFileBox()
{
    const std::string text =
        i18n::invalidFileText(CurrentLanguage(), ui->Panel4->caption().toUtf8().toStdString());
    ShowPlainMessage(this, QMessageBox::Critical, Message(i18n::Message::InvalidFileCaption),
                     QString::fromStdString(text));
}

void TForm1::ShowSettings(const firmware::GeneratorSettings& settings)
{
    ui->EditTesto->setText(FromDevice(settings.slidingText));
    ui->EditNominativo->setText(FromDevice(settings.fixedText));
    for (QToolButton* button : PulsQuadri)
        button->setChecked(false);
    PressFrame(settings.frame);
    ui->ComboDimFisso->setCurrentIndex(settings.fixedHeight & 3);
    ui->ComboDimScorr->setCurrentIndex(settings.slidingHeight & 3);
    ColSfoFisso = settings.fixedColour & 7;
    ui->ShapeSfondoNominativo->setBrushColor(DisplayColour(ColSfoFisso));
    ColSfoScorr = settings.slidingColour & 7;
    ui->ShapeSfondoTesto->setBrushColor(DisplayColour(ColSfoScorr));
    ui->ComboVelocita->setCurrentIndex(std::clamp(settings.speed, 0, 2));

    for (QGroupBox* group : {ui->GroupTestoScorrevole, ui->GroupTestoFisso, ui->GroupQuadri, ui->GroupDi})
        group->setEnabled(true);
    ui->ButtonSaveFile->setEnabled(true);
    ui->Save1->setEnabled(true);
    ui->Preview1->setEnabled(true);
    AnnounceSettings();
}

firmware::GeneratorSettings TForm1::GatherSettings() const
{
    firmware::GeneratorSettings settings;
    settings.slidingText = ToDevice(ui->EditTesto->text());
    settings.fixedText = ToDevice(ui->EditNominativo->text());
    settings.frame = QuadroCorrente;
    settings.slidingHeight = SelectedPosition(ui->ComboDimScorr);
    settings.fixedHeight = SelectedPosition(ui->ComboDimFisso);
    settings.slidingColour = ColSfoScorr;
    settings.fixedColour = ColSfoFisso;
    settings.speed = SelectedPosition(ui->ComboVelocita);
    return settings;
}

void TForm1::ButtonSaveFileClick()
{
    const firmware::EepromRecords records = firmware::EncodeEepromRecords(GatherSettings());

    QFileDialog* dialog = SaveDialog();
    dialog->selectFile(saveSource_);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return;
    const QString target = dialog->selectedFiles().constFirst();

    const firmware::SaveOutcome outcome =
        firmware::SaveFirmwareFile(LocalPath(saveSource_), LocalPath(target), records);
    if (outcome == firmware::SaveOutcome::Done)
        ShowStatus(target, 1);
    else
        ShowStatus(Message(i18n::Message::NotOpenedNotice), 0);
}

void TForm1::PressFrame(int frame)
{
    QuadroCorrente = frame & 0x0F;
    PulsQuadri[std::size_t(QuadroCorrente)]->setChecked(true);
}

void TForm1::Quadro0Click()
{
    const QObject* button = sender();
    if (button == nullptr)
        return;
    PulsQuadri[std::size_t(QuadroCorrente)]->setChecked(false);
    PressFrame(button->property("Tag").toInt());
}

void TForm1::OpenPalette(const QWidget& opener, int code, int target, int left)
{
    ui->TitoloTavolozza->setText(opener.property("text").toString());
    MarkColour(ui->TavolaColore->property("Tag").toInt(), false);
    MarkColour(code, true);
    ui->TavolaColore->setProperty("Tag", code);
    ui->OkColore->setProperty("Tag", target);
    ui->TavolaColore->move(left, kPaletteTop);
    ui->TavolaColore->show();
    ui->TavolaColore->raise();
    DisableMainGroups();
}

void TForm1::MarkColour(int code, bool highlighted)
{
    const PaletteEntry& entry = Tavolozza.at(std::size_t(code));
    entry.panel->setBevelInner(highlighted ? BevelPanel::Lowered : BevelPanel::Raised);
    entry.shape->setPenColor(highlighted ? QColor(Qt::black) : palette().color(QPalette::Button));
}

void TForm1::PulsScorrColSfoClick()
{
    OpenPalette(*ui->PulsScorrColSfo, ColSfoScorr, kTargetSliding, kPaletteLeftSliding);
}

void TForm1::PulsFissoColSfoClick()
{
    OpenPalette(*ui->PulsFissoColSfo, ColSfoFisso, kTargetFixed, kPaletteLeftFixed);
}

void TForm1::PanelNeroClick()
{
    const QObject* panel = sender();
    if (panel == nullptr)
        return;
    const int code = panel->property("Tag").toInt();
    MarkColour(ui->TavolaColore->property("Tag").toInt(), false);
    MarkColour(code, true);
    ui->TavolaColore->setProperty("Tag", code);
}

void TForm1::OkColoreClick()
{
    ui->TavolaColore->hide();
    const int code = ui->TavolaColore->property("Tag").toInt();
    const int target = ui->OkColore->property("Tag").toInt();
    if (target == kTargetSliding) {
        ColSfoScorr = code;
        ui->ShapeSfondoTesto->setBrushColor(DisplayColour(code));
    }
    if (target == kTargetFixed) {
        ColSfoFisso = code;
        ui->ShapeSfondoNominativo->setBrushColor(DisplayColour(code));
    }
    EnableMainGroups();
}

void TForm1::CancellaColoreClick()
{
    ui->TavolaColore->hide();
    EnableMainGroups();
}

// The file tool bar and the three editing groups, in the order they are switched.
std::array<QWidget*, 4> TForm1::MainGroups() const
{
    return {ui->ToolFile, ui->GroupTestoScorrevole, ui->GroupTestoFisso, ui->GroupQuadri};
}

void TForm1::DisableMainGroups()
{
    for (QWidget* control : MainGroups())
        control->setEnabled(false);
}

void TForm1::EnableMainGroups()
{
    for (QWidget* control : MainGroups())
        control->setEnabled(true);
}

void TForm1::EditTestoKeyPress(char32_t character)
{
    if (auto* field = qobject_cast<QLineEdit*>(sender()))
        applyTextEntryRule(*field, character, CurrentLanguage());
}

void TForm1::ButtonLinguaClick()
{
    const i18n::Language language =
        ui->Italiano->isChecked() ? i18n::Language::English : i18n::Language::Italian;
    // The switch writes the dialogs' titles and filters too, so they must exist by now. Qt's own
    // texts follow the language as well; the dialogs keep our titles and filters when they
    // retranslate theirs.
    OpenDialog();
    SaveDialog();
    UseQtTexts(language);
    writeCaptionSet(*this, language);
    emit LanguageSwitched();
}

void TForm1::UseQtTexts(i18n::Language language)
{
    if (language == i18n::Language::Italian)
        QCoreApplication::installTranslator(&qtTexts_);
    else
        QCoreApplication::removeTranslator(&qtTexts_);
}

// Triggering a checkable menu entry flips its mark before the handler runs; only the switch
// moves the marks, so the flip is taken back first.
void TForm1::ItalianoClick()
{
    ui->Italiano->setChecked(!ui->Italiano->isChecked());
    if (ui->Inglese->isChecked())
        ButtonLinguaClick();
}

void TForm1::IngleseClick()
{
    ui->Inglese->setChecked(!ui->Inglese->isChecked());
    if (ui->Italiano->isChecked())
        ButtonLinguaClick();
}

// Each edit is announced once its handler has run: these connections come after the handlers'.
void TForm1::ConnectPreview()
{
    connect(ui->Preview1, &QAction::triggered, this, &TForm1::Preview1Click);
    for (FilteredLineEdit* field : {ui->EditTesto, ui->EditNominativo})
        connect(field, &QLineEdit::textChanged, this, &TForm1::AnnounceSettings);
    for (QComboBox* list : {ui->ComboDimScorr, ui->ComboDimFisso, ui->ComboVelocita})
        connect(list, &QComboBox::currentIndexChanged, this, &TForm1::AnnounceSettings);
    for (QToolButton* button : PulsQuadri)
        connect(button, &QToolButton::clicked, this, &TForm1::AnnounceSettings);
    for (const PaletteEntry& entry : Tavolozza)
        connect(entry.panel, &BevelPanel::clicked, this, &TForm1::AnnounceSettings);
    for (QPushButton* button : {ui->OkColore, ui->CancellaColore})
        connect(button, &QPushButton::clicked, this, &TForm1::AnnounceSettings);
}

firmware::GeneratorSettings TForm1::ShownSettings() const
{
    firmware::GeneratorSettings settings = GatherSettings();
    if (ui->TavolaColore->isVisible()) {
        const int highlighted = ui->TavolaColore->property("Tag").toInt();
        (ui->OkColore->property("Tag").toInt() == kTargetSliding ? settings.slidingColour : settings.fixedColour) =
            highlighted;
    }
    return settings;
}

void TForm1::AnnounceSettings()
{
    emit SettingsEdited(ShownSettings());
}

void TForm1::Preview1Click()
{
    if (preview_ == nullptr) {
        preview_ = new preview::PreviewWindow(this, [this] { return CurrentLanguage(); });
        preview_->ShowSettings(ShownSettings());
        connect(this, &TForm1::SettingsEdited, preview_, &preview::PreviewWindow::ShowSettings);
        connect(this, &TForm1::LanguageSwitched, preview_, &preview::PreviewWindow::FollowLanguage);
    }
    // Brought back from the task bar too, but not given the keyboard: typing goes on here.
    preview_->setWindowState(preview_->windowState() & ~Qt::WindowMinimized);
    preview_->show();
    preview_->raise();
}
