#include "FirmwareFileDialog.h"

#include "PlainMessage.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>

namespace {

// Types and icons from the names alone: nothing is opened to list a folder.
class NameOnlyIconProvider : public QFileIconProvider {
public:
    QIcon icon(const QFileInfo& info) const override { return QFileIconProvider::icon(info.isDir() ? Folder : File); }

    QString type(const QFileInfo& info) const override
    {
        if (info.isDir())
            return QFileIconProvider::type(info);
        return QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension).comment();
    }
};

// Write access for nobody, or none for this user (bits alone, since root may write anything).
bool IsReadOnly(const QFileInfo& file)
{
    constexpr QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return !(file.permissions() & anyWrite) || !file.isWritable();
}

}  // namespace

FirmwareFileDialog::FirmwareFileDialog(QWidget* parent, const QString& title, AcceptMode mode,
                                       LanguageSource language)
    : QFileDialog(parent, title), iconProvider_(std::make_unique<NameOnlyIconProvider>()),
      language_(std::move(language))
{
    setOption(QFileDialog::DontUseNativeDialog);
    setIconProvider(iconProvider_.get());
    setAcceptMode(mode);
    setFileMode(QFileDialog::AnyFile);
    setDefaultSuffix(QStringLiteral("hex"));
    connect(this, &QDialog::finished, this, &FirmwareFileDialog::HideCompletionLists);
}

FirmwareFileDialog::~FirmwareFileDialog() = default;

void FirmwareFileDialog::accept()
{
    const QStringList files = selectedFiles();
    if (acceptMode() == AcceptSave && !files.isEmpty()) {
        if (const std::optional<i18n::Message> refusal = RefusalOf(files.constFirst())) {
            const std::string_view text = i18n::message(language_(), *refusal);
            const QFileInfo chosen(files.constFirst());
            const QString subject = *refusal == i18n::Message::MissingFolder ? chosen.path() : chosen.filePath();
            ShowPlainMessage(this, QMessageBox::Warning, windowTitle(),
                             QString::fromUtf8(text).arg(QDir::toNativeSeparators(subject)));
            return;
        }
    }
    QFileDialog::accept();
}

std::optional<i18n::Message> FirmwareFileDialog::RefusalOf(const QString& file) const
{
    const QFileInfo chosen(file);
    if (!chosen.dir().exists())
        return i18n::Message::MissingFolder;
    if (chosen.isFile() && IsReadOnly(chosen))
        return i18n::Message::ReadOnlyTarget;
    return std::nullopt;
}

// A completion list that the name field opened can outlive the accepted dialog and would then
// keep the mouse and the keyboard from the window: it goes with the dialog.
void FirmwareFileDialog::HideCompletionLists()
{
    for (const QCompleter* completer : findChildren<QCompleter*>())
        completer->popup()->hide();
}
