#include "TransferDialog.h"

#include "link/TransferDialogModel.h"
#include "shell/ProgressTimesText.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zel::gui {

TransferDialog::TransferDialog(TransferDialogModel& model, QWidget* parent)
    : QDialog(parent), m_model(model) {
    setObjectName(QStringLiteral("frmTransMit"));
    setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(this);
    m_groups[0] = buildGroup(0, QStringLiteral("ProgressBarTransMit"),
                             QStringLiteral("LabelTransMit1"), QStringLiteral("CommandCancel"));
    m_groups[1] = buildGroup(1, QStringLiteral("ProgressBarEnd"), QStringLiteral("LabelTransMit2"),
                             QStringLiteral("CommandEnd"));
    m_times = new QLabel(m_groups[0].frame);
    m_times->setObjectName(QStringLiteral("LabelTransMitTimes"));
    auto* groupLayout = static_cast<QVBoxLayout*>(m_groups[0].frame->layout());
    groupLayout->insertWidget(groupLayout->indexOf(m_groups[0].progress) + 1, m_times);
    for (const Group& group : m_groups) {
        layout->addWidget(group.frame);
        connect(group.button, &QPushButton::clicked, this, &TransferDialog::closeModel);
    }
    setMinimumWidth(420);
    m_model.onChanged = [this] { render(); };
    m_model.onClosed = [this] { modelClosed(); };
    render();
}

TransferDialog::~TransferDialog() {
    m_model.onChanged = {};
    m_model.onClosed = {};
}

TransferDialog::Group TransferDialog::buildGroup(int index, const QString& progressName,
                                                 const QString& labelName,
                                                 const QString& buttonName) {
    Group group;
    group.frame = new QGroupBox(this);
    group.frame->setObjectName(QStringLiteral("frameTransMit_%1").arg(index));
    auto* layout = new QVBoxLayout(group.frame);
    for (size_t i = 0; i < group.labels.size(); ++i) {
        group.labels[i] = new QLabel(group.frame);
        group.labels[i]->setObjectName(QStringLiteral("%1_%2").arg(labelName).arg(i));
        layout->addWidget(group.labels[i]);
    }
    group.progress = new QProgressBar(group.frame);
    group.progress->setObjectName(progressName);
    layout->addWidget(group.progress);
    group.button = new QPushButton(group.frame);
    group.button->setObjectName(buttonName);
    layout->addWidget(group.button, 0, Qt::AlignRight);
    return group;
}

void TransferDialog::render() {
    const TransferDialogState& state = m_model.state();
    setWindowTitle(state.caption);
    const std::array<const std::array<QString, 4>*, 2> labels{&state.labels1, &state.labels2};
    for (size_t g = 0; g < m_groups.size(); ++g)
        for (size_t i = 0; i < 4; ++i)
            m_groups[g].labels[i]->setText((*labels[g])[i]);
    m_groups[0].button->setText(state.cancelCaption);
    m_groups[1].button->setText(state.closeCaption);
    const TransferProgress progress = m_model.timedProgress();
    m_times->setText(progress.started() ? ProgressTimesText(state.languageIndex, progress)
                                        : QString());
    m_groups[0].progress->setRange(0, std::max(1, progress.total));
    m_groups[0].progress->setValue(std::clamp(progress.done, 0, std::max(1, progress.total)));
    m_groups[1].progress->setRange(0, std::max(1, state.endMax));
    m_groups[1].progress->setValue(std::clamp(state.endValue, 0, std::max(1, state.endMax)));
    m_groups[0].frame->setVisible(state.visibleFrame == 0);
    m_groups[1].frame->setVisible(state.visibleFrame == 1);
}

void TransferDialog::closeModel() {
    m_closing = true;
    m_model.close(); // no-op when already closed
    m_closing = false;
    if (isVisible())
        done(QDialog::Rejected);
}

void TransferDialog::modelClosed() {
    if (!m_closing && isVisible())
        done(QDialog::Rejected);
}

void TransferDialog::reject() {
    closeModel();
}

void TransferDialog::closeEvent(QCloseEvent* event) {
    m_closing = true;
    m_model.close();
    m_closing = false;
    event->accept();
}

} // namespace zel::gui
