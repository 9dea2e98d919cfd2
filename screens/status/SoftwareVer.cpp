#include "SoftwareVer.h"

using namespace statusframe;

const char* const SoftwareVer::kDisplayVersion = "2280312";

const ValueSpec<unsigned short> SoftwareVer::kVersionTable[7] = {
    {"FLG1 SoftwareVersion", "0", kNoUnit, [](const ReadMVBData& s) { return s.SoftwareVersions[0]; }},
    {"FLG2 SoftwareVersion", "0", kNoUnit, [](const ReadMVBData& s) { return s.SoftwareVersions[1]; }},
    {"SLG1 SoftwareVersion", "0", kNoUnit, [](const ReadMVBData& s) { return s.SoftwareVersions[2]; }},
    {"SLG2 SoftwareVersion", "0", kNoUnit, [](const ReadMVBData& s) { return s.SoftwareVersions[3]; }},
    {"BUR1 SoftwareVersion", "0", kNoUnit, [](const ReadMVBData& s) { return s.SoftwareVersions[4]; }},
    {"BUR2 SoftwareVersion", "0", kNoUnit, [](const ReadMVBData& s) { return s.SoftwareVersions[5]; }},
    {"BUR3 SoftwareVersion", "0", kNoUnit, [](const ReadMVBData& s) { return s.SoftwareVersions[6]; }},
};

SoftwareVer::SoftwareVer()
{
    ConstructLayout();
}

SoftwareVer::~SoftwareVer() = default;

void SoftwareVer::ConstructLayout()
{
    set_spacing(3);
    BuildSingleRows(*this, m_VersionRows, kVersionTable);
    BuildSingleRow(*this, m_DisplayRow, "DDU SoftwareVersion", "0");
    show_all_children(true);
}

void SoftwareVer::UpdateNode()
{
    SingleSteps(*ReadMVBData::getInstance(), kVersionTable, m_VersionCaches, m_Stream, m_VersionRows,
                {0, 1, 2, 3, 4, 5, 6});
    // The display unit's own version, on every update.
    m_DisplayRow.ValueLabel.set_text(kDisplayVersion);
}
