// The screen's painters: the diagram and its cursor mark, the word list and its cursor mark, the
// square labels and the active pane's frame, all from the screen's layout.
#include "view/qt/PuzzleScreen.h"

#include <string>
#include <string_view>

#include "print/DiagramSquare.h"
#include "view/qt/PainterSurface.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStaticText>
#include <algorithm>
#include <array>

namespace qw {

namespace {

// drawText places text by its baseline; the layouts give top-left corners.
void DrawTextAt(QPainter& painter, const QFontMetrics& fm, int x, int top, const QString& text)
{
    painter.drawText(x, top + fm.ascent(), text);
}

void FillFrame(QPainter& painter, const QRect& r, int width, const QColor& color)
{
    const int w = std::min({width, r.width() / 2, r.height() / 2});
    painter.fillRect(r.left(), r.top(), r.width(), w, color);
    painter.fillRect(r.left(), r.bottom() - w + 1, r.width(), w, color);
    painter.fillRect(r.left(), r.top() + w, w, r.height() - 2 * w, color);
    painter.fillRect(r.right() - w + 1, r.top() + w, w, r.height() - 2 * w, color);
}

// The stroke over a wrong entry, corner to corner of `r`.
void StrokeWrong(QPainter& painter, const QRect& r, const QColor& color)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, std::max(r.height() / 12, 2), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(r.bottomLeft() + QPoint(2, -2), r.topRight() + QPoint(-2, 2));
    painter.restore();
}

}  // namespace

// Below this side the labels cannot be read and would only crowd the letter.
constexpr int kMinLabelledSide = 18;

bool PuzzleScreen::LabelsShown() const { return labels_ && layout_.Side() >= kMinLabelledSide; }

QFont PuzzleScreen::LabelFont() const
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(layout_.Side() * 3 / 10, 1));
    return font;
}

void PuzzleScreen::PaintSquareLabels(PainterSurface& surface, Point o, int32_t letter, uint32_t ink) const
{
    // Two pixels in from the left line, one from the right. Laid out once per font size and
    // kept: shaping two texts per square would make a labelled repaint several times as slow as
    // one without.
    const SquareBox box{o.x, o.y, o.x + layout_.Side() - 1, o.y + layout_.Side() - 1};
    qw::PaintSquareLabels(surface, box, LabelLook{ink, 2, 1}, std::to_string(letter),
                          std::string_view(puzzle_.Letters[static_cast<size_t>(letter)].ClueLabel));
}

void PuzzleScreen::PaintPaneFrame(QWidget* surface, ColorIndex text)
{
    QPainter painter(surface);
    FillFrame(painter, surface->rect(), 2, ToQColor(colors_[text], ColorUse::Text));
}
QColor PuzzleScreen::Tint(uint32_t cursor, uint32_t background, uint32_t otherCursor)
{
    // System colours are resolved first: the tint is mixed from what the screen shows.
    auto rgb = [](uint32_t color) { return FromQColor(ToQColor(color)); };
    return ToQColor(HighlightTint(rgb(cursor), rgb(background), rgb(otherCursor)));
}
// ----- painting -------------------------------------------------------------------------------

QFont PuzzleScreen::DiagramFont() const
{
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPointSize(std::max(layout_.Side() / 2, 1));
    return font;
}

void PuzzleScreen::PaintDiagram(QWidget* surface, const QRegion& region)
{
    QPainter painter(surface);
    const bool active = cursor_.ActivePane == Pane::DiagramPane;
    const DiagramColors set = DiagramColorsOf(colors_, active);
    const QColor blank = ToQColor(set.Blank);
    const QColor text = ToQColor(set.Font, ColorUse::Text);
    const bool tinted = highlight_ && shownHighlight_.Clue >= 0;
    // A fitted stress diagram shows ten thousand squares, so each costs as little as it can: the
    // background already is the outline colour, so only the inside of a square is filled, and
    // each character is measured and laid out once per paint.
    const SquareLook plain{std::nullopt, set.Letter, set.Font};
    SquareLook tint = plain;
    if (tinted) tint.Fill = FromQColor(Tint(set.Cursor, set.Letter, DiagramColorsOf(colors_, !active).Cursor));
    const SquareLook letterOnly{std::nullopt, std::nullopt, set.Font};
    const QFont font = DiagramFont();
    PainterSurface squares(painter, ColorUse::Text, true);
    squares.SetQtFont(font);
    PainterSurface labels(painter, ColorUse::Text, true, &labelTexts_);
    const int S = layout_.Side();
    const int pitch = std::max(S - 1, 1);
    const int rows = std::min(puzzle_.RowCount, puzzle_.Grid.Rows());
    const int columns = std::min(puzzle_.ColumnCount, puzzle_.Grid.Columns());
    const auto letterCount = static_cast<int32_t>(puzzle_.Letters.size()) - 1;
    auto boxAt = [S](Point o) { return SquareBox{o.x, o.y, o.x + S - 1, o.y + S - 1}; };
    std::vector<std::pair<Point, char>> letters;
    const bool labelled = LabelsShown();
    const QFont labelFont = LabelFont();
    std::vector<std::pair<Point, int32_t>> labelAt;
    std::vector<Point> wrongAt;
    // Each rectangle of the region is painted on its own: a cursor move exposes a few squares far
    // apart, and the rectangle around all of them would take in most of the diagram.
    for (const QRect& area : region) {
        painter.setClipRect(area);
        painter.fillRect(area, blank);
        if (!shown_) continue;
        // Squares outside the exposed area would be clipped anyway; skipping them keeps big
        // diagrams cheap to scroll.
        const int firstRow = std::max(0, area.top() / pitch - 1);
        const int lastRow = std::min(rows - 1, area.bottom() / pitch + 1);
        const int firstColumn = std::max(0, area.left() / pitch - 1);
        const int lastColumn = std::min(columns - 1, area.right() / pitch + 1);
        letters.clear();
        labelAt.clear();
        wrongAt.clear();
        for (int r = firstRow; r <= lastRow; ++r) {
            for (int c = firstColumn; c <= lastColumn; ++c) {
                const DiagramSquare square = puzzle_.Grid.GetCell(r, c);
                if (square == 0) continue;  // the black fill is already there
                char ch = ' ';
                const SquareLook* look = &plain;
                if (square > 0) {
                    if (square > letterCount) continue;
                    const LetterEntry& entry = puzzle_.Letters[static_cast<size_t>(square)];
                    ch = entry.Entered;
                    if (tinted && shownHighlight_.InAnswer(entry)) look = &tint;
                } else {
                    ch = static_cast<char>(-square);
                }
                const Point o = SquareOrigin(S, r, c);
                PaintSquare(squares, boxAt(o), *look, ' ');
                if (labelled && square > 0) labelAt.emplace_back(o, square);
                if (square > 0 && ShowsWrongMark(square)) wrongAt.push_back(o);
                if (ch != ' ') letters.emplace_back(o, ch);
            }
        }
        // The letters follow all the squares, in one font and one ink; a square's fill stays
        // inside its own outline, so the order changes no pixel.
        for (const auto& [o, ch] : letters) PaintSquare(squares, boxAt(o), letterOnly, ch);
        for (const Point& o : wrongAt) StrokeWrong(painter, QRect(o.x + 1, o.y + 1, S - 2, S - 2), text);
        if (labelAt.empty()) continue;
        labels.SetQtFont(labelFont);
        for (const auto& [o, letter] : labelAt) PaintSquareLabels(labels, o, letter, set.Font);
        squares.SetQtFont(font);
    }
}

void PuzzleScreen::PaintDiagramCursor(QWidget* surface)
{
    QPainter painter(surface);
    const bool active = cursor_.ActivePane == Pane::DiagramPane;
    const DiagramColors set = DiagramColorsOf(colors_, active);
    // Hollow: the square shows its own fill and letter inside a frame of the cursor colour.
    const bool hollow = paneShape_ && !active;
    if (hollow) {
        const bool tinted = highlight_ && shownHighlight_.Clue >= 0 && puzzle_.HasLetter(cursor_.CurrentLetter) &&
                            shownHighlight_.InAnswer(puzzle_.Letters[static_cast<size_t>(cursor_.CurrentLetter)]);
        painter.fillRect(surface->rect(), tinted ? Tint(set.Cursor, set.Letter, DiagramColorsOf(colors_, true).Cursor)
                                                 : ToQColor(set.Letter));
        FillFrame(painter, surface->rect(), 3, ToQColor(set.Cursor));
    } else {
        painter.fillRect(surface->rect(), ToQColor(set.Cursor));
    }
    if (!puzzle_.HasLetter(cursor_.CurrentLetter)) return;
    // The mark lies one pixel inside the square's outline.
    const uint32_t ink = hollow ? set.Font : set.CursorFont;
    const Point o{-1, -1};
    if (LabelsShown()) {
        PainterSurface labels(painter, ColorUse::Text, true, &labelTexts_);  // as the diagram's
        labels.SetQtFont(LabelFont());
        PaintSquareLabels(labels, o, cursor_.CurrentLetter, ink);
    }
    if (ShowsWrongMark(cursor_.CurrentLetter)) StrokeWrong(painter, surface->rect(), ToQColor(ink, ColorUse::Text));
    const char ch = puzzle_.Letters[static_cast<size_t>(cursor_.CurrentLetter)].Entered;
    if (ch == ' ') return;
    PainterSurface square(painter, ColorUse::Text, false);
    square.SetQtFont(DiagramFont());
    const int S = layout_.Side();
    PaintSquare(square, {o.x, o.y, o.x + S - 1, o.y + S - 1}, {std::nullopt, std::nullopt, ink}, ch);
}

void PuzzleScreen::PaintWordList(QWidget* surface, const QRegion& region)
{
    QPainter painter(surface);
    const bool active = cursor_.ActivePane == Pane::WordListPane;
    const WordListColors set = WordListColorsOf(colors_, active);
    const QColor back = ToQColor(set.Back);
    if (!shown_ || !layout_.WordListValid()) {
        for (const QRect& area : region) painter.fillRect(area, back);
        return;
    }
    const QColor ink = ToQColor(set.Font, ColorUse::Text);
    const bool tinted = highlight_ && shownHighlight_.WordLast >= shownHighlight_.WordFirst;
    const QColor tint = tinted ? Tint(set.Cursor, set.Back, WordListColorsOf(colors_, !active).Cursor) : back;
    const QFont clueFont = ToQFont(fonts_.Clue);
    const QFont letterFont = ToQFont(fonts_.Letter);
    const QFont numberFont = ToQFont(fonts_.Number);
    const QFontMetrics clueMetrics(clueFont);
    const QFontMetrics letterMetrics(letterFont);
    const QFontMetrics numberMetrics(numberFont);
    WordListLayout& list = layout_.WordList();
    const WordListMeasures& m = list.Measures;
    const int L = m.LineHeight;
    const int slotHeight = std::max(letterMetrics.height(), L + 1 + numberMetrics.height());
    const auto letterCount = static_cast<int32_t>(puzzle_.Letters.size()) - 1;
    // Rectangle by rectangle, as the diagram: the slots of a quotation word lie far apart. Text
    // that cannot reach a rectangle is not drawn, and slot texts are measured from the memo:
    // shaping text is most of a small repaint's cost. Margins take in glyphs that stand out of
    // their boxes: a line height for the clue font, which may be any, a few pixels for the slots'.
    constexpr int kSlotInk = 3;
    for (const QRect& area : region) {
        auto reaches = [&area](int left, int top, int width, int height, int margin) {
            return area.adjusted(-margin, -margin, margin, margin)
                .intersects(QRect(left, top, std::max(width, 1), std::max(height, 1)));
        };
        painter.setClipRect(area);
        painter.fillRect(area, back);
        painter.setPen(ink);
        for (ClueBlock& block : list.Clues) {
            if (block.Bottom < area.top() || block.Top > area.bottom()) continue;
            if (static_cast<size_t>(block.Clue) >= puzzle_.Clues.size()) break;
            // Made for the clues painted only; a new width or clue font brings a layout without them.
            AddDotLeader(block, m, metrics_, fonts_);
            painter.setFont(clueFont);
            if (reaches(kLabelLeft, block.Top, m.TextLeft - kLabelLeft, L, L))
                DrawTextAt(painter, clueMetrics, kLabelLeft, block.Top, FromAnsi(block.Label));
            for (const TextLine& line : block.Lines)
                if (reaches(m.TextLeft, line.Y, metrics_.TextWidth(fonts_.Clue, line.Text), L, L))
                    DrawTextAt(painter, clueMetrics, m.TextLeft, line.Y, FromAnsi(line.Text));
            for (int32_t index : puzzle_.Clues[static_cast<size_t>(block.Clue)].Answer) {
                if (index < 1 || index > letterCount) continue;
                const LetterEntry& e = puzzle_.Letters[static_cast<size_t>(index)];
                const Point at = layout_.AnswerPos(index);
                const int x = at.x;
                const int y = at.y;
                const std::string number = std::to_string(index);
                const int numberWidth = metrics_.TextWidth(fonts_.Number, number);
                const int letterWidth = e.Entered == ' ' ? 0 : metrics_.TextWidth(fonts_.Letter, {&e.Entered, 1});
                const int numberLeft = x + (m.SlotWidth - numberWidth) / 2;
                const int letterLeft = x + (m.SlotWidth - letterWidth) / 2;
                const int left = std::min({x, numberLeft, letterLeft});
                const int right = std::max({x + m.SlotWidth, numberLeft + numberWidth, letterLeft + letterWidth});
                if (!reaches(left, y, right - left, slotHeight, kSlotInk)) continue;
                if (tinted && shownHighlight_.InWord(index)) painter.fillRect(SlotArea(index), tint);
                if (e.Entered != ' ') {
                    painter.setFont(letterFont);
                    DrawTextAt(painter, letterMetrics, letterLeft, y, FromAnsi(e.Entered));
                }
                if (ShowsWrongMark(index)) StrokeWrong(painter, SlotArea(index), ink);
                painter.drawLine(x, y + m.LineHeight, x + m.SlotWidth - 1, y + m.LineHeight);
                painter.setFont(numberFont);
                DrawTextAt(painter, numberMetrics, numberLeft, y + m.LineHeight + 1, QString::fromLatin1(number));
            }
        }
    }
}

void PuzzleScreen::PaintClueCursor(QWidget* surface)
{
    QPainter painter(surface);
    const bool active = cursor_.ActivePane == Pane::WordListPane;
    const WordListColors set = WordListColorsOf(colors_, active);
    const QColor fill = ToQColor(set.Cursor);
    const QColor outline = ToQColor(set.Font, ColorUse::Text);
    const QRect r = surface->rect();
    const bool wrong = ShowsWrongMark(cursor_.CurrentLetter);
    // Hollow: the slot's own background inside a frame of the cursor colour.
    const bool hollow = paneShape_ && !active;
    if (hollow) {
        const bool tinted = highlight_ && shownHighlight_.InWord(cursor_.CurrentLetter);
        painter.fillRect(r, tinted ? Tint(set.Cursor, set.Back, WordListColorsOf(colors_, true).Cursor)
                                   : ToQColor(set.Back));
        FillFrame(painter, r, 3, fill);
    } else {
        painter.fillRect(r, fill);
        painter.setPen(outline);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    }
    if (!puzzle_.HasLetter(cursor_.CurrentLetter)) return;
    const char ch = puzzle_.Letters[static_cast<size_t>(cursor_.CurrentLetter)].Entered;
    if (ch == ' ') return;
    if (wrong) StrokeWrong(painter, r, ToQColor(hollow ? set.Font : set.CursorFont, ColorUse::Text));
    const QFont font = ToQFont(fonts_.Letter);
    painter.setFont(font);
    painter.setPen(ToQColor(hollow ? set.Font : set.CursorFont, ColorUse::Text));
    const QFontMetrics fm(font);
    const QString s = FromAnsi(ch);
    const Point at = CharacterOrigin(r.width(), r.height(), fm.horizontalAdvance(s), fm.height());
    DrawTextAt(painter, fm, at.x, at.y, s);
    if (hollow) return;
    painter.setPen(outline);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
}


}  // namespace qw
