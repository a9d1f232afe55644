#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <vector>

// The about page is a row of absolutely positioned blocks, which Qt's rich-text engine would
// stack one under the other; the pane places them itself from this reading of the page.
struct PageBlock {
    QRect Rect;
    bool Centred = false;
    QString Html;  // the block's content
};

struct PageLayout {
    QColor Background;
    QString Style;  // the page's style rules, for the blocks' content
    std::vector<PageBlock> Blocks;
};

// Reads the body background, the style rules and every <div> with its inline position and
// size; what a block leaves out comes from the page's "div { ... }" rule.
PageLayout ReadPageLayout(const QString& html);
