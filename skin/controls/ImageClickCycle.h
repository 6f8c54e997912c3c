#pragma once

// The pictures a picture button can show.
enum class ImagePicture { Leave, Enter, Clicked1, Clicked2, Down };

// Click state of a picture button: releases step 0 -> 1 (with the first click
// effect) -> 2 (with the second) -> 0, and any step that is not enabled
// returns to 0.
class ImageClickCycle {
public:
    int State() const { return state_; }

    // Advances on a release and returns the picture to show.
    ImagePicture Release(bool effectClick1, bool effectClick2);

    // Picture of a state: 0 leave, 1 first click, 2 second click, others down.
    static ImagePicture PictureOfState(int state);

private:
    int state_ = 0;
};
