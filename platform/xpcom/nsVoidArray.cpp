#include "nsVoidArray.h"

#include <new>

PRInt32 nsVoidArray::IndexOf(void* p) const {
  for (size_t i = 0; i < mItems.size(); ++i)
    if (mItems[i] == p) return static_cast<PRInt32>(i);
  return -1;
}

PRBool nsVoidArray::InsertElementAt(void* p, PRInt32 index) {
  if (index < 0 || index > Count()) return PR_FALSE;
  try {
    mItems.insert(mItems.begin() + index, p);
  } catch (const std::bad_alloc&) {
    return PR_FALSE;
  }
  return PR_TRUE;
}

PRBool nsVoidArray::ReplaceElementAt(void* p, PRInt32 index) {
  if (index < 0 || index >= Count()) return PR_FALSE;
  mItems[index] = p;
  return PR_TRUE;
}

PRBool nsVoidArray::RemoveElementAt(PRInt32 index) {
  if (index < 0 || index >= Count()) return PR_FALSE;
  mItems.erase(mItems.begin() + index);
  return PR_TRUE;
}

PRBool nsVoidArray::RemoveElement(void* p) { return RemoveElementAt(IndexOf(p)); }
