#pragma once

#include "logbook/entry.h"
#include "logbook/limits.h"
#include "text/number_text.h"

#include <QWidget>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QTableWidget;

namespace quorlin {

class PlatformServices;

// The four trend plots of one electrode's entries, drawn by the plot code.
class TrendPlots final : public QWidget {
    Q_OBJECT
public:
    TrendPlots(const RegionalSettings& regional, QWidget* parent);
    void show(std::vector<LogbookEntry> entries, const ElectrodeLimits& limits);
    const std::vector<LogbookEntry>& entries() const { return entries_; }
    const ElectrodeLimits& limits() const { return limits_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    RegionalSettings regional_;
    std::vector<LogbookEntry> entries_;
    ElectrodeLimits limits_;
};

// Calibration › Logbook…: the entries of one electrode in a sortable table, their trend
// plots with the limits, a banner when the last passing calibration has outlived its
// validity, and exports of the table and the plots.
class LogbookWindow final : public QWidget {
    Q_OBJECT
public:
    LogbookWindow(PlatformServices& platform, QWidget* parent);

    // Reads the logbook at `path` anew and shows `electrode`, or the one chosen before.
    void showLogbook(const std::string& path, const std::string& electrode = {});
    QString bannerText() const;
    const QTableWidget& table() const { return *table_; }

private:
    void showElectrode();
    void exportTable();
    void exportPlots();

    PlatformServices& platform_;
    std::string path_;
    QComboBox* electrodes_;
    QLabel* banner_;
    QTableWidget* table_;
    TrendPlots* plots_;
};

}  // namespace quorlin
