#include "received/ReceivedInvoicePages.h"

#include "output/TOutputCanvas.h"
#include "received/ReceivedBlockContext.h"
#include "received/ReceivedHeaderBlocks.h"
#include "received/ReceivedLineBlocks.h"
#include "received/ReceivedPageWriter.h"
#include "received/ReceivedSummaryBlocks.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Where a part of the flow lies on a page: which item, at which y, and which band of it.
struct Placement {
    uint32_t item;
    int32_t y;
    int32_t from;
    int32_t to;
};

// The item number of the table's head, which every page with lines repeats.
constexpr uint32_t kHead = UINT32_MAX;

std::u16string Number(int n)
{
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

// The page's frame, the blocks above and below the table, the height of every line's row,
// and where each item lies on which page. The rows themselves are built again when their
// page is drawn, so that a long invoice keeps only their heights.
struct ReceivedInvoicePages::Layout {
    const ReceivedInvoice& invoice;
    const ReceivedCheck& check;
    int32_t left = 0;
    int32_t right = 0;
    int32_t top = 0;
    int32_t bottom = 0;
    int32_t footerY = 0;
    std::vector<Block> before;
    Block head;
    std::vector<int32_t> rowHeights;
    std::vector<Block> after;
    std::vector<std::vector<Placement>> pages;

    Layout(const ReceivedInvoice& inv, const ReceivedCheck& chk) : invoice(inv), check(chk) {}

    size_t ItemCount() const { return before.size() + rowHeights.size() + after.size(); }
    bool IsRow(size_t item) const { return item >= before.size() && item < before.size() + rowHeights.size(); }
    int32_t Height(size_t item) const
    {
        if (item < before.size())
            return before[item].height;
        if (IsRow(item))
            return rowHeights[item - before.size()];
        return after[item - before.size() - rowHeights.size()].height;
    }
    // The block of an item, built again for a row.
    Block ItemBlock(size_t item, ReceivedLineBlocks& lines) const
    {
        if (item == kHead)
            return head;
        if (item < before.size())
            return before[item];
        if (IsRow(item))
            return lines.Row(item - before.size());
        return after[item - before.size() - rowHeights.size()];
    }
    const Block* StoredBlock(size_t item) const
    {
        if (item == kHead)
            return &head;
        if (item < before.size())
            return &before[item];
        if (IsRow(item))
            return nullptr;
        return &after[item - before.size() - rowHeights.size()];
    }

    void Paginate(ReceivedLineBlocks& lines, ReceivedPageWriter& writer);
};

void ReceivedInvoicePages::Layout::Paginate(ReceivedLineBlocks& lines, ReceivedPageWriter& writer)
{
    pages.emplace_back();
    int32_t y = top;
    bool headOnPage = false;
    const auto newPage = [&] {
        pages.emplace_back();
        y = top;
        headOnPage = false;
    };
    const int32_t pageRoom = bottom - top;
    for (size_t item = 0; item < ItemCount(); ++item) {
        const int32_t height = Height(item);
        const bool row = IsRow(item);
        int32_t from = 0;
        while (from < height) {
            const int32_t rest = height - from;
            if (row && !headOnPage) {
                // The head stays with the row after it: both move to a new page together.
                if (y + head.height + rest > bottom && y > top && rest <= pageRoom - head.height) {
                    newPage();
                    continue;
                }
                pages.back().push_back({kHead, y, 0, head.height});
                y += head.height;
                headOnPage = true;
            }
            const int32_t room = bottom - y;
            if (rest <= room) {
                pages.back().push_back({uint32_t(item), y, from, height});
                y += rest;
                break;
            }
            const int32_t topOfPage = top + (row ? head.height : 0);
            if (rest <= bottom - topOfPage && y > topOfPage) {
                newPage();
                continue;
            }
            // Taller than a page, or the page already holds something: cut between lines.
            const Block* stored = StoredBlock(item);
            const Block built = stored ? Block() : lines.Row(item - before.size());
            int32_t cut = writer.CutAt(stored ? *stored : built, from, from + room);
            if (cut <= from) {
                if (y > topOfPage) {
                    newPage();
                    continue;
                }
                cut = std::min(height, from + std::max(room, 1));  // a single line taller than the page
            }
            pages.back().push_back({uint32_t(item), y, from, cut});
            from = cut;
            newPage();
        }
    }
}

ReceivedInvoicePages::ReceivedInvoicePages(const ReceivedInvoice& invoice, const ReceivedCheck& check,
                                           TOutputCanvas& measure)
    : layout_(new Layout(invoice, check))
{
    Layout& l = *layout_;
    const TOutputTarget& target = measure.Target();
    l.left = target.Dev(20);
    l.right = target.pw - target.Dev(15);
    l.top = target.Dev(15);
    ReceivedPageWriter writer(measure);
    l.footerY = target.ph - target.Dev(12) - writer.LineHeight(Ink::Label);
    l.bottom = l.footerY - target.Dev(4);

    ReceivedBlockContext context{invoice, check, writer, l.left, l.right};
    l.before = ReceivedHeaderBlocks(context);
    ReceivedLineBlocks lines(context);
    l.head = lines.Head();
    l.rowHeights.reserve(invoice.lines.size());
    for (size_t i = 0; i < invoice.lines.size(); ++i)
        l.rowHeights.push_back(lines.Row(i).height);
    l.after = ReceivedSummaryBlocks(context);
    l.Paginate(lines, writer);
}

ReceivedInvoicePages::~ReceivedInvoicePages()
{
    delete layout_;
}

int ReceivedInvoicePages::PageCount() const
{
    return int(layout_->pages.size());
}

void ReceivedInvoicePages::DrawPage(TOutputCanvas& canvas, int page) const
{
    const Layout& l = *layout_;
    if (page < 0 || page >= PageCount())
        return;
    ReceivedPageWriter writer(canvas);
    ReceivedBlockContext context{l.invoice, l.check, writer, l.left, l.right};
    ReceivedLineBlocks lines(context);
    for (const Placement& p : l.pages[size_t(page)])
        writer.Draw(l.ItemBlock(p.item, lines), p.y, p.from, p.to, l.left, l.right);

    // The foot of every page: what the page belongs to on the left, its number on the right.
    Block foot;
    const int32_t half = (l.right - l.left) / 2;
    const std::u16string pageText = u"Seite " + Number(page + 1) + u" von " + Number(PageCount());
    writer.AddText(foot, l.left + half, 0, l.right - l.left - half, Ink::Label, pageText,
                   ReceivedPageWriter::Align::Right);
    const std::vector<std::u16string> owner =
        writer.Wrap(Ink::Label, l.invoice.number.empty() ? l.invoice.seller.name : u"Nr. " + l.invoice.number, half);
    if (!owner.empty())
        foot.pieces.push_back({l.left, 0, Ink::Label, owner.front()});
    writer.Draw(foot, l.footerY, 0, foot.height, l.left, l.right);
}
