#include "SubsystemStatus.h"

#include "CompSupport.h"

#include <algorithm>

namespace {

const char* const kFaultyPicture = "./Images/Button3OFF.png";
const char* const kNormalPicture = "./Images/Button3ON.png";
constexpr float kCellWidth = 158;
constexpr float kCellHeight = 48;

}  // namespace

const SubsystemStatus::Cell SubsystemStatus::kCellTable[kCells] = {
    {0, 0, "Main Power", "SS01", 0},        {0, 1, "BUR - 1", "SS06", 5},
    {0, 2, "HBB - 1", "SS011", 10},         {0, 3, "Speedometer", "SS016", 15},
    {0, 4, "B1-LC1", "SS021", 22},          {1, 0, "Traction Bogle 1", "SS02", 1},
    {1, 1, "BUR - 2", "SS07", 6},           {1, 2, "HBB - 2", "SS012", 11},
    {1, 3, "FLG - 1", "SS017", 16},         {1, 4, "B1-LC2", "SS022", 23},
    {2, 0, "Traction Bogle 2", "SS03", 2},  {2, 1, "BUR - 3", "SS08", 7},
    {2, 2, "CAB - 1", "SS013", 12},         {2, 3, "FLG - 2", "SS018", 17},
    {2, 4, "B1-INV1", "SS023", 24},         {3, 0, "Harmonic Filter", "SS04", 3},
    {3, 1, "Battery", "SS09", 8},           {3, 2, "CAB - 2", "SS014", 13},
    {3, 3, "Train Bus", "SS019", 18},       {3, 4, "B1-INV2", "SS024", 25},
    {4, 0, "Hotel Load", "SS05", 4},        {4, 1, "Brake", "SS010", 9},
    {4, 2, "Fire", "SS015", 14},            {4, 3, "BC_Applied", "SS020", 20},
    {4, 4, "B1-INV3", "SS025", 26},         {5, 0, "B2-LC1", "SS026", 27},
    {5, 1, "B2-LC2", "SS027", 28},          {5, 2, "B2-INV1", "SS028", 29},
    {5, 3, "B2-INV2", "SS029", 30},         {5, 4, "B2-INV3", "SS030", 31},
};

SubsystemStatus::SubsystemStatus()
{
    ConstructLayout();
}

SubsystemStatus::~SubsystemStatus() = default;

void SubsystemStatus::ConstructLayout()
{
    set_size_request(790, 370);
    compsupport::Background(*this, "black");

    m_Grid.Rows = kRows;
    m_Grid.Columns = kColumns;
    m_Grid.OffImagePath = kFaultyPicture;
    m_Grid.OnImagePath = kNormalPicture;
    m_Grid.ImageWidth = kCellWidth;
    m_Grid.ImageHeight = kCellHeight;
    m_Grid.CaptionWidth = kCellWidth;
    m_Grid.CaptionHeight = kCellHeight;
    m_Grid.CaptionX = 0;
    m_Grid.CaptionY = 7;
    m_Grid.ShowSecondCaption = 1;
    m_Grid.FontSize = 8;
    for (int i = 0; i < kCells; ++i) {
        m_Grid.Captions[i] = kCellTable[i].caption;
        m_Grid.SecondCaptions[i] = kCellTable[i].identifier;
    }
    m_Grid.ConstructLayout();
    m_Layout.put(m_Grid, 0, 0);
    add(m_Layout);
    show_all_children(true);
}

void SubsystemStatus::UpdateSSScreen()
{
    PrintStatement("Updating SubSystem Screen");
    const ReadMVBData& store = *ReadMVBData::getInstance();
    // Identifier order: the table sorted by the number after "SS".
    static const std::array<int, kCells> kUpdateOrder = [] {
        std::array<int, kCells> order{};
        for (int i = 0; i < kCells; ++i)
            order[i] = i;
        const auto number = [](int i) { return std::stoi(kCellTable[i].identifier + 2); };
        std::sort(order.begin(), order.end(), [&](int a, int b) { return number(a) < number(b); });
        return order;
    }();
    for (int i : kUpdateOrder) {
        const Cell& cell = kCellTable[i];
        const unsigned short state = store.SubsystemStates[cell.stateIndex];
        if (!m_CellCaches[i].Take(state) || state > 1)
            continue;
        // The grid's cell table is indexed row, then column.
        const auto& images = m_Grid.CellImages;
        Gtk::Image* picture = cell.row < images.size() && cell.column < images[cell.row].size()
                                  ? images[cell.row][cell.column]
                                  : nullptr;
        if (picture)
            GetReSizedImage(*picture, state == 1 ? kFaultyPicture : kNormalPicture, kCellWidth, kCellHeight);
    }
}

void SubsystemStatus::PrintStatement(std::string)
{
}
