#include "skin/controls/ImageClickCycle.h"

ImagePicture ImageClickCycle::Release(bool effectClick1, bool effectClick2) {
    if (state_ == 1 && effectClick2)
        state_ = 2;
    else if (state_ == 0 && effectClick1)
        state_ = 1;
    else
        state_ = 0;
    return PictureOfState(state_);
}

ImagePicture ImageClickCycle::PictureOfState(int state) {
    switch (state) {
    case 0: return ImagePicture::Leave;
    case 1: return ImagePicture::Clicked1;
    case 2: return ImagePicture::Clicked2;
    default: return ImagePicture::Down;
    }
}
