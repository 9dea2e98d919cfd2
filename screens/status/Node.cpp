#include "Node.h"

using namespace statusframe;

const ValueSpec<unsigned short> Node::kNodeTable[7] = {
    {"FLG1 Node Information", "0", kNoUnit, [](const ReadMVBData& s) { return s.NodeScreenValues[0]; }},
    {"FLG2 Node Information", "0", kNoUnit, [](const ReadMVBData& s) { return s.NodeScreenValues[1]; }},
    {"Slv Node Information", "0", kNoUnit, [](const ReadMVBData& s) { return s.NodeScreenValues[2]; }},
    {"SLG1 Node Information", "0", kNoUnit, [](const ReadMVBData& s) { return s.NodeScreenValues[3]; }},
    {"SLG2 Node Information", "0", kNoUnit, [](const ReadMVBData& s) { return s.NodeScreenValues[4]; }},
    {"ALG1 Node Information", "0", kNoUnit, [](const ReadMVBData& s) { return s.NodeScreenValues[5]; }},
    {"ALG2 Node Information", "0", kNoUnit, [](const ReadMVBData& s) { return s.NodeScreenValues[6]; }},
};

Node::Node()
{
    ConstructLayout();
}

Node::~Node() = default;

void Node::ConstructLayout()
{
    set_spacing(3);
    BuildSingleRows(*this, m_NodeRows, kNodeTable);
    show_all_children(true);
}

void Node::UpdateNode()
{
    SingleSteps(*ReadMVBData::getInstance(), kNodeTable, m_NodeCaches, m_Stream, m_NodeRows, {0, 1, 3, 4, 2, 5, 6});
}
