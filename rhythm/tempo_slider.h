#pragma once

// The tempo slider's track and thumb: one pixel of thumb travel is one beat per
// minute, 30 at the left end of the track and 230 at the right.
class TempoSlider {
public:
    static constexpr int trackX = 92;
    static constexpr int trackY = 142;
    static constexpr int trackWidth = 216;
    static constexpr int trackHeight = 25;
    static constexpr int thumbWidth = 16;
    static constexpr int lowestTempo = 30;
    static constexpr int highestTempo = 230;
    static constexpr int pixelsPerStep = 1;
    static constexpr int startThumbX = 142; // 80 beats per minute
    static constexpr int dragMargin = 10;   // how far above or below the track a drag still counts

    int thumbX() const { return thumbX_; }
    int tempo() const { return lowestTempo + (thumbX_ - trackX) / pixelsPerStep; }

    bool onTrack(int x, int y) const;
    bool onThumb(int x, int y) const;

    // A press on the track: on the thumb it starts a drag, elsewhere paging
    // towards the point, whose first step is taken at once.
    void press(int x, int y);

    // Paging: one step towards the pressed point unless the thumb has reached it.
    void pageStep();
    // Dragging: follows the pointer while it stays near the track.
    void dragTo(int x, int y);
    // Ends paging or dragging; true if either was going on.
    bool release();

    bool paging() const { return paging_; }
    bool dragging() const { return dragging_; }

private:
    bool coversX(int x) const { return thumbX_ < x && x < thumbX_ + thumbWidth; }
    void moveThumbTo(int x);

    int thumbX_ = startThumbX;
    bool paging_ = false;
    bool dragging_ = false;
    int pagePointX_ = 0;
    int lastX_ = 0;
};
