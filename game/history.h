// The move history: Undo by dealing again and replaying, Redo, Again, and the
// logic of the move slider.
#pragma once

// Takes back the last move: the same board is dealt again and every earlier
// move replayed without drawing, recording or animating it.
void UndoMove();

// Replays the next recorded move on the Board.
void RedoMove();

// Deals the same board again, keeping the moves for Redo.
void PlayAgain();

// While the pointer rests on the Redo button: highlights the group that Redo
// would remove.
void PreviewRedo();

// The move slider: a scroll bar over the moves held, 0 to game.moveCount,
// and a text about where it stands.
struct MoveSlider {
    int position = 0;
    int maximum = 0;
};

extern MoveSlider moveSlider;

enum class SliderRequest { StepLeft, StepRight, PageLeft, PageRight, Thumb, Other };

// A scroll bar's new position after a request: a step of 1, a page, or where
// the thumb was released, kept within low to high.
int ScrolledPosition(int position, SliderRequest request, int thumb, int page, int low, int high);

// The dialog opens (the caller has stopped the animation timer): the range
// and position from the history.
void MoveSliderOpened();

// A scroll request; thumb is the position where the thumb was released.
// Returns the new position, kept within the range.
int MoveSliderScrolled(SliderRequest request, int thumb);

// The slider's text for its current position.
void FormatMoveSliderText(char* text, int size);

// OK: jumps back or forward to the slider's position. Cancel changes nothing.
void MoveSliderOk();
