#pragma once

#include <QWidget>

#include <array>

class QLabel;
struct InfoLabels;

// The page under "扩展信息": the eight settings labels in two columns.
class AdvancedPage : public QWidget {
    Q_OBJECT

public:
    explicit AdvancedPage(QWidget* parent = nullptr);

    // Takes the eight settings texts; the others of InfoLabels belong to the general page.
    void SetLabels(const InfoLabels& labels);

private:
    enum Label { GameType, MapType, Map, MapSize, Speed, Difficulty, Population, Victory, LabelCount };

    std::array<QLabel*, LabelCount> m_labels{};
};
