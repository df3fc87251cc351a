#pragma once

#include "PathEntries.h"

#include <QComboBox>

#include <optional>
#include <vector>

class PathComboEdit;

// The address bar's path box: an editable drop-down of the root entries and the folders down
// to the one being listed. It is told which folder to show (a posted SelectFolder event) and
// sends ListFolder and GoToTypedPath to its navigation target, the record list.
class PathCombo : public QComboBox {
    Q_OBJECT

public:
    explicit PathCombo(QWidget* parent = nullptr);

    void SetNavigationTarget(QObject* target) { m_target = target; }
    // Replaces the entries read from the file system on the first SelectFolder.
    void SetFixedEntries(std::vector<PathEntries::Entry> fixed) { m_fixed = std::move(fixed); }

    PathComboEdit* Edit() const { return m_edit; }
    const std::vector<PathEntries::Entry>& ShownEntries() const { return m_shown; }
    // The folder of the selected entry, empty when nothing is selected.
    QString SelectedFolder() const;
    // Where the shell's "desktop" and "computer" places are.
    QString DesktopFolder();
    QString ComputerFolder();

protected:
    void customEvent(QEvent* event) override;

private:
    void EnsureFixedEntries();
    void Rebuild(const QString& folder);
    void OnSelectionChanged(int index);
    void SendToTarget(int type, const QString& path);

    PathComboEdit* m_edit = nullptr;
    QObject* m_target = nullptr;
    std::optional<std::vector<PathEntries::Entry>> m_fixed;
    std::vector<PathEntries::Entry> m_shown;
    bool m_rebuilding = false;
};
