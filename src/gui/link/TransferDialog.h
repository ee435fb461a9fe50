#pragma once
// frmTransMit: shows a TransferDialogModel (group 0 in progress, group 1 completed). Its
// Cancel, Close, Esc and close box all close the model, which runs the engine's unload rule.
// Show it with open(): window-modal, no nested event loop.
#include <QDialog>
#include <array>

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace zel {
class TransferDialogModel;
}

namespace zel::gui {

class TransferDialog : public QDialog {
    Q_OBJECT
public:
    explicit TransferDialog(TransferDialogModel& model, QWidget* parent = nullptr);
    ~TransferDialog() override;

    // Copies the model's state into the controls.
    void render();

    void reject() override; // Esc

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Group {
        QGroupBox* frame = nullptr;
        QProgressBar* progress = nullptr;
        std::array<QLabel*, 4> labels{};
        QPushButton* button = nullptr;
    };
    Group buildGroup(int index, const QString& progressName, const QString& labelName,
                     const QString& buttonName);
    void closeModel();
    void modelClosed();

    TransferDialogModel& m_model;
    std::array<Group, 2> m_groups;
    QLabel* m_times = nullptr; // elapsed and time left, under the bar in progress
    bool m_closing = false;
};

} // namespace zel::gui
