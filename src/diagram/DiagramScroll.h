#pragma once

// The scroll box of the diagram as the routines see it: ranges are the
// scrollable size, positions the top left corner of the part on screen.
class DiagramScroll {
public:
    virtual ~DiagramScroll() = default;
    virtual int horzRange() const = 0;
    virtual int vertRange() const = 0;
    virtual void setRanges(int horz, int vert) = 0;
    virtual int horzPosition() const = 0;
    virtual int vertPosition() const = 0;
    // Each position is kept between 0 and its range minus the client size.
    virtual void setHorzPosition(int position) = 0;
    virtual void setVertPosition(int position) = 0;
    virtual int clientWidth() const = 0;
    virtual int clientHeight() const = 0;
    // The outer size, scroll bars included.
    virtual int outerWidth() const = 0;
    virtual int outerHeight() const = 0;
};

// A scroll box without a window, for headless runs and tests.
class PlainScroll : public DiagramScroll {
public:
    PlainScroll(int clientWidth = 0, int clientHeight = 0) : width_(clientWidth), height_(clientHeight) {}
    int horzRange() const override { return horzRange_; }
    int vertRange() const override { return vertRange_; }
    void setRanges(int horz, int vert) override;
    int horzPosition() const override { return horz_; }
    int vertPosition() const override { return vert_; }
    void setHorzPosition(int position) override;
    void setVertPosition(int position) override;
    int clientWidth() const override { return width_; }
    int clientHeight() const override { return height_; }
    int outerWidth() const override { return width_; }
    int outerHeight() const override { return height_; }

private:
    int horzRange_ = 0, vertRange_ = 0, horz_ = 0, vert_ = 0, width_, height_;
};

// Puts the middle of the scroll area in the middle of the view.
void centreScroll(DiagramScroll& scroll);

// The position a scroll bar accepts for the wanted one.
int clampedScrollPosition(int wanted, int range, int clientSize);
