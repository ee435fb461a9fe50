#include "TitleFiles.h"

#include "TitleCsvReader.h"
#include "TitleCsvWriter.h"
#include "TitleDocument.h"
#include "TitleFileReader.h"
#include "TitleFileWriter.h"
#include "TitleSlots.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"
#include "common/TextFile.h"
#include "shell/LanguageTables.h"
#include "titletable/TitleCategory.h"

namespace zel {

namespace {

bool isDecimalText(const QString& text) {
    if (text.isEmpty())
        return false;
    for (const QChar ch : text)
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return false;
    return true;
}

// At most this many bad rows are listed in the message; the rest are counted.
constexpr int kListedProblems = 20;

QString problemList(const QString& path, const QVector<TitleCsvProblem>& problems) {
    QStringList lines{path + QLatin1Char(':')};
    for (qsizetype i = 0; i < problems.size() && i < kListedProblems; ++i)
        lines.append(problems[i].text());
    if (problems.size() > kListedProblems)
        lines.append(QStringLiteral("... %1 more").arg(problems.size() - kListedProblems));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString NoTitlesLine(const QString& path, int languageIndex) {
    return languageIndex == 1 ? path + QStringLiteral(" にはタイトルがありません")
                              : path + QStringLiteral(" holds no titles");
}

TitleFiles::TitleFiles(TitleSlots& titleSlots, int slot, TitleDocument& document,
                       MessageSink& messages, const LanguageTables& language)
    : m_slots(titleSlots), m_slot(slot), m_document(document), m_messages(messages),
      m_language(language) {}

QString TitleFiles::caption() const {
    const QString screen = m_language.text(LangGroup::TitleSet, TitleSetCaption);
    return hasPath() ? screen + QStringLiteral(": ") + m_captionPath : screen;
}

void TitleFiles::load() {
    m_slots.LastCameraNo = QStringLiteral("1");
    m_slots.setTitleFileName(m_slot, QString());
    m_captionPath.clear();
    m_document.TitleModified = false;
}

TitleOpenResult TitleFiles::ReadTitleFile(const QString& path) {
    if (path.size() > kMaxOpenPathLength) {
        m_messages.ShowMessage(MessageError, m_language.piece(MessagePiece::FileNameTooLong));
        return TitleOpenResult::NotLoaded;
    }
    if (m_slots.isOpenInOtherSlot(path, m_slot)) {
        m_messages.ShowMessage(MessageAlreadyOpened);
        return TitleOpenResult::NotLoaded;
    }
    // A file that cannot be read is refused before the window is reset: an upload after a
    // silent failure would blank every title of the camera.
    TextFileRead file = ReadTextFile(path, kMaxFileBytes);
    if (file.ok && !TitleFileReader::hasSignificantLine(file.lines)) {
        file.ok = false;
        file.problem = FileProblem::NoContent;
    }
    if (!file.ok) {
        m_messages.ShowMessage(MessageError,
                               FileProblemLine(path, file.problem, m_language.languageIndex()));
        return TitleOpenResult::NotLoaded;
    }
    // Text without a section header (notes, a settings file, a send-data file) would read as
    // an all-blank document, and an upload of it would blank every title of the camera.
    if (!TitleFileReader::hasSectionHeader(file.lines)) {
        m_messages.ShowMessage(MessageError, NoTitlesLine(path, m_language.languageIndex()));
        return TitleOpenResult::NotLoaded;
    }
    m_slots.setTitleFileName(m_slot, path);
    m_slots.LastCameraNo.clear();
    m_document.RemoteNo = QStringLiteral("1");
    m_document.CameraNo = QStringLiteral("1");
    m_document.ClearAllTitles();
    m_captionPath = path;

    TitleFileReader reader(std::move(file.lines));
    const bool readOn = reader.readDocument(m_document, m_messages, m_language);
    if (readOn)
        m_slots.LastCameraNo = m_document.CameraNo;
    m_document.TitleModified = false;
    return readOn ? TitleOpenResult::Loaded : TitleOpenResult::Stopped;
}

bool TitleFiles::importCsv(const QString& path, const TitleCharTable& table) {
    const FileBytes file = ReadFileBytes(path, kTitleCsvMaxBytes);
    if (!file.ok()) {
        m_messages.ShowMessage(
            MessageError,
            FileProblemLine(path, file.problem, m_language.languageIndex(), file.detail));
        return false;
    }
    const TitleCsvImport imported = ReadTitleCsv(file.bytes, table);
    if (!imported.ok()) {
        m_messages.ShowMessage(MessageError, problemList(path, imported.problems));
        return false;
    }
    m_slots.setTitleFileName(m_slot, QString());
    m_captionPath.clear();
    m_document.RemoteNo = imported.document.RemoteNo;
    m_document.CameraNo = imported.document.CameraNo;
    m_document.ClearAllTitles();
    for (int category = 0; category < kTitleCategoryCount; ++category)
        for (int number = 1; number <= TitleCategoryAt(category).titleCount; ++number)
            m_document.setTitle(category, number, imported.document.title(category, number));
    m_slots.LastCameraNo = m_document.CameraNo;
    m_document.MarkModified(); // held in no file yet; UPLOAD waits for a check
    return true;
}

bool TitleFiles::exportCsv(const QString& path) {
    if (WriteTitleCsvFile(path, m_document))
        return true;
    m_messages.ShowMessage(MessageCannotSave);
    return false;
}

bool TitleFiles::writeTo(const QString& path) {
    return WriteTitleFile(path, m_document, TitleFileLabelsFor(m_language), m_messages);
}

bool TitleFiles::Save() {
    if (!hasPath())
        return SaveAs();
    if (!writeTo(m_captionPath))
        return false;
    m_document.TitleModified = false;
    return true;
}

bool TitleFiles::SaveAs() {
    const QString path = askSaveAsPath ? askSaveAsPath() : QString();
    return !path.isEmpty() && saveAs(path);
}

bool TitleFiles::saveAs(const QString& path) {
    if (m_slots.isOpenInOtherSlot(path, m_slot)) {
        m_messages.ShowMessage(MessageAlreadyOpened);
        return false;
    }
    m_slots.setTitleFileName(m_slot, path);
    if (!writeTo(path))
        return false;
    m_captionPath = path;
    m_document.TitleModified = false;
    return true;
}

bool TitleFiles::ConfirmSaveBeforeDiscard() {
    if (!m_document.TitleModified)
        return true;
    switch (m_messages.ShowMessage(MessageSaveInEdit)) {
    case ButtonYes:
        if (hasPath())
            return Save();
        SaveAs();
        return !m_document.TitleModified;
    case ButtonNo:
        m_document.TitleModified = false;
        return true;
    default:
        return false;
    }
}

bool TitleFiles::ConfirmSaveOnCameraChange(const QString& newText) {
    bool cancelled = false;
    if (isDecimalText(newText) && !m_slots.LastCameraNo.isEmpty() &&
        newText != m_slots.LastCameraNo) {
        // The new number is held back while the document is saved under the old one.
        switch (m_messages.ShowMessage(MessageSaveInEdit)) {
        case ButtonYes:
            SaveAs();
            break;
        case ButtonNo:
            m_document.TitleModified = false;
            break;
        default:
            cancelled = true;
            break;
        }
        m_slots.LastCameraNo.clear();
    }
    m_document.CameraNo = newText;
    return !cancelled;
}

void TitleFiles::cameraNoAccepted() {
    m_slots.LastCameraNo = m_document.CameraNo;
}

void TitleFiles::close() {
    m_slots.setTitleFileName(m_slot, QString());
    m_captionPath.clear();
}

} // namespace zel
