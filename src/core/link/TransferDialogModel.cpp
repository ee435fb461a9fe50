#include "TransferDialogModel.h"

#include "LinkEngine.h"
#include "shell/LanguageTables.h"

namespace zel {

namespace {
// Texts of the transfer dialog group, in record order.
enum TransMitText {
    TextCancel = 0,
    TextClose = 1,
    TextInTransmission = 2,
    TextInSaving = 3,
    TextFileName = 4,
    TextSaveAs = 5,
    TextSaveCompleted = 6,
};
} // namespace

TransferDialogModel::TransferDialogModel(LinkEngine& engine) : m_engine(engine) {
    m_since.start();
    clock = [this] { return m_since.elapsed(); };
}

void TransferDialogModel::load(const LanguageTables& language) {
    const auto text = [&language](int index) { return language.text(LangGroup::TransMit, index); };
    m_state = TransferDialogState{};
    m_state.caption = text(TextInTransmission);
    m_state.cancelCaption = text(TextCancel);
    m_state.closeCaption = text(TextClose);
    m_state.labels1 = {text(TextInSaving), text(TextFileName), text(TextSaveAs), QString()};
    m_state.labels2 = {text(TextSaveCompleted), text(TextFileName), text(TextSaveAs), QString()};
    m_state.visibleFrame = 0;
    m_state.languageIndex = language.languageIndex();
    m_open = true;
    changed();
}

void TransferDialogModel::changed() {
    if (onChanged)
        onChanged();
}

TransferProgress TransferDialogModel::progress() const {
    TransferProgress progress;
    progress.phase = m_state.phase;
    progress.done = m_state.progressValue;
    progress.total = m_state.progressMax;
    progress.unit = m_state.unit;
    return progress;
}

TransferProgress TransferDialogModel::timedProgress() {
    return m_estimate.stamp(progress(), clock());
}

void TransferDialogModel::close() {
    if (!m_open)
        return;
    m_open = false; // the unload rule may end the transfer, which closes again
    m_engine.transferDialogClosed();
    if (onClosed)
        onClosed();
}

} // namespace zel
