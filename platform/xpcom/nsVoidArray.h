// nsVoidArray.h - growable array of untyped pointers. The array does not own
// what the pointers point at.
#pragma once

#include <vector>

#include "nscore.h"

class nsVoidArray {
 public:
  nsVoidArray() = default;
  nsVoidArray(const nsVoidArray&) = delete;
  nsVoidArray& operator=(const nsVoidArray&) = delete;

  PRInt32 Count() const { return static_cast<PRInt32>(mItems.size()); }
  // Null for an index out of range.
  void* ElementAt(PRInt32 index) const {
    return (index >= 0 && index < Count()) ? mItems[index] : nullptr;
  }
  void* operator[](PRInt32 index) const { return ElementAt(index); }
  PRInt32 IndexOf(void* p) const;

  // Inserts before index; index == Count() appends. PR_FALSE for an index
  // out of range or when memory runs out.
  PRBool InsertElementAt(void* p, PRInt32 index);
  PRBool AppendElement(void* p) { return InsertElementAt(p, Count()); }
  PRBool ReplaceElementAt(void* p, PRInt32 index);
  PRBool RemoveElementAt(PRInt32 index);
  PRBool RemoveElement(void* p);
  void Clear() { mItems.clear(); }

 private:
  std::vector<void*> mItems;
};
