#include "skin/loader/LxAerinOption.h"

void TLxAerinOption::SetAutoSize(bool value) { Set(m_autoSize, value); }
void TLxAerinOption::SetAutoMove(bool value) { Set(m_autoMove, value); }
void TLxAerinOption::SetAutoRegion(bool value) { Set(m_autoRegion, value); }
void TLxAerinOption::SetEasyMove(bool value) { Set(m_easyMove, value); }

void TLxAerinOption::Set(bool& field, bool value) {
    field = value;
    if (m_apply) m_apply();
}
