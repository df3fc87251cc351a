#pragma once

#include <QWidget>

class MapContainer;
class QLabel;
class QPlainTextEdit;

// The page under "基本信息": the objectives text, the duration and version, and the map pane.
// In the map's large mode the pane takes the whole page and the texts step aside.
class GeneralPage : public QWidget {
    Q_OBJECT

public:
    explicit GeneralPage(QWidget* parent = nullptr);

    void SetObjectives(const QString& text);
    void SetDuration(const QString& text);
    void SetVersion(const QString& text);

    MapContainer& GetMapContainer() const { return *m_map; }

    // The large map covers the place of the duration and version labels.
    void HideLabelsUnderLargeMap();

private:
    void ShowLargeMap();
    void ShowCompactMap();

    QPlainTextEdit* m_objectives = nullptr;
    QLabel* m_duration = nullptr;
    QLabel* m_version = nullptr;
    MapContainer* m_map = nullptr;
};
