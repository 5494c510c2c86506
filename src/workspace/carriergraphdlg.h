#pragma once

#include "framework/guibutton.h"
#include "workspace/carrierchartview.h"
#include "workspace/carrierdata.h"

#include <QDialog>

class QAction;
class QLabel;
class QMenu;

// The carrier graph window: the carrier values of one ADSL test as a filled
// curve, with a read-out of the carrier under the mouse and a context menu to
// copy the values, save the picture and show the whole graph again. It
// offers nothing to edit.
class CCarrierGraphDlg : public QDialog
{
    Q_OBJECT

public:
    // Texts of the window in the resource pack, by control id.
    enum ControlText : int
    {
        kCaption = 0,
        kCurveLabel = 1001, // also the start of the picture's file name
        kReadout = 1002,    // "%1" the carrier, "%2" its value
        kValuesHeading = 1003,
        kHint = 1004, // shown while the mouse is on no carrier
        kSaveTitle = 1005,
        kSaveFilter = 1006,
        kSaveFailed = 1007, // "%1" the file
    };

    explicit CCarrierGraphDlg(QWidget* pParent = nullptr);

    // Takes a snapshot of the record's carrier values and plots them.
    void SetRecord(const TestRecord& selRecord);
    const CarrierArray& Carriers() const { return m_anCarrier; }

    CCarrierChartView& Graph() { return m_wndGraph; }
    // The chart's context menu: copy values, save picture, separator, reset zoom.
    QMenu* ContextMenu() const { return m_pContextMenu; }
    QString ReadoutText() const;
    // The file name the save dialog proposes.
    const QString& DefaultImageName() const { return m_strImageName; }

    // Puts the values on the clipboard, one line per carrier.
    void CopyValues();
    // Asks for a file and saves the picture there.
    void SaveImageAs();
    // Writes the chart as it is on view to a PNG file; says so in a message
    // box and returns false when the file cannot be written (an existing
    // file then stays as it was).
    bool SaveImage(const QString& strPath);

private:
    QAction* AddCommand(int nId, int nTextId, const QList<QKeySequence>& shortcuts);
    void ShowContextMenu(QPoint globalPos);
    void ShowCarrier(int nCarrier);

    CarrierArray m_anCarrier{};
    QString m_strImageName;
    CCarrierChartView m_wndGraph;
    QLabel* m_pReadout = nullptr;
    CGuiButton m_btnOk;
    QMenu* m_pContextMenu = nullptr;
};

// Shows the carrier graph of the selected record in a modal window over the
// main frame and returns once the user closed it.
void ShowCarrierGraph(QWidget* pMainFrame, const TestRecord& selRecord);
