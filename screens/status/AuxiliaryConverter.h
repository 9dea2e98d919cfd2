// Screen 5: pantographs, battery and auxiliary winding bars, the table of the
// three auxiliary converters BUR1 to BUR3 under its column headings, and the
// five BUR grouping contactors as coloured cells.
#ifndef CABDISPLAY_SCREENS_STATUS_AUXILIARYCONVERTER_H
#define CABDISPLAY_SCREENS_STATUS_AUXILIARYCONVERTER_H

#include <gdkmm/pixbuf.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <vector>

#include "StatusFrame.h"

class AuxiliaryConverter : public Gtk::VBox {
public:
    AuxiliaryConverter();
    virtual ~AuxiliaryConverter();

    void ConstructLayout();
    void UpdateAuxiliaryConverterScreen();

    // Converter table rows, as members.
    enum TableRow { kDcLinkVoltage, kDcLinkCurrent, kOutputVoltage, kOutputFrequency, kBurStatus, kTableRows };
    static constexpr int kConverters = 3;
    static constexpr int kContactors = 5;
    using ConverterValues = std::array<float, kConverters> (*)(const ReadMVBData&);
    struct TableSpec {
        const char* caption;
        const char* unit;
        ConverterValues values;  // null for the BUR status row
    };
    static const statusframe::BarSpec<float> kBarTable[3];
    static const TableSpec kConverterTable[kTableRows];
    // Background of a contactor cell that is closed, and of every other cell.
    static const char* const kClosedColour;
    static const char* const kCellColour;

    // Own rows: [0] the contactor row, [1] the column heading row.
    Gtk::HBox m_Spacer;
    Gtk::HBox m_ContactorRow;
    Gtk::HBox m_HeadingRow;
    Gtk::Fixed m_CaptionCells[2];
    Gtk::Image m_HeadingPictures[2];
    Gtk::Label m_CaptionLabels[2];

    CompBoolValRect m_PantoRows[2];
    CompProgressBarHolder m_BarRows[3];
    CompValueIndicator m_TableRows[kTableRows];

    // The cells 52_1 to 52_5; the row box owns them.
    Gtk::EventBox* m_ContactorCells[kContactors] = {};

    std::stringstream m_Stream;
    statusframe::Cache<unsigned short> m_PantoCaches[2];
    statusframe::BarCache<float> m_BarCaches[3];
    statusframe::Cache<float> m_TableCaches[kBurStatus][kConverters];
    statusframe::Cache<unsigned short> m_BurStatusCaches[kConverters];

private:
    // Caption cell and cells of an own row; cells made are handed to made.
    void BuildOwnRow(int which, Gtk::HBox& row, const char* caption, const std::vector<const char*>& texts,
                     int cellWidth, Gtk::EventBox** made);
    Glib::RefPtr<Gdk::Pixbuf> m_HeadingPixbuf;
};

#endif
