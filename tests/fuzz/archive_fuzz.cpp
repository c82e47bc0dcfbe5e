// Fuzz target: a registry value of stored state, read back as the UI
// library's registry class reads it: the value's bytes in a memory file,
// a loading archive with the registry's buffer, and the first byte picks
// what is read (an object of any class, a list of objects, a rectangle,
// the arrays, string lists, a map, a string). Damaged data must end in a
// CException, never a crash or an allocation beyond the data. What reads
// must store and read back the same. Leaks are looked for where the reader
// owns what it makes (strings, arrays): the object collections hold objects
// without owning them, so objects a damaged image leaves behind in a nested
// collection (or under a key given twice) are not the reader's to free.
#include <sanitizer/lsan_interface.h>

#include <cstdint>
#include <cstdlib>
#include <type_traits>
#include <vector>

#include "afxarchive.h"
#include "afxcoll.h"

namespace {

const int kArchiveBuffer = 4096;  // as the registry class reads

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

// Objects of an object list can appear twice (back references): each is
// deleted once.
void DeleteObjects(std::vector<CObject*>& objects) {
  for (size_t i = 0; i < objects.size(); ++i) {
    bool seen = false;
    for (size_t j = 0; j < i; ++j) seen |= objects[j] == objects[i];
    if (!seen) delete objects[i];
  }
  objects.clear();
}

template <class T>
void Collect(T& collection, std::vector<CObject*>& objects);
template <>
void Collect(CObList& list, std::vector<CObject*>& objects) {
  while (!list.IsEmpty()) objects.push_back(list.RemoveHead());
}
template <>
void Collect(CObArray& array, std::vector<CObject*>& objects) {
  for (INT_PTR i = 0; i < array.GetSize(); ++i) objects.push_back(array[i]);
  array.RemoveAll();
}
template <>
void Collect(CMapStringToOb& map, std::vector<CObject*>& objects) {
  POSITION pos = map.GetStartPosition();
  while (pos) {
    CString key;
    CObject* ob = nullptr;
    map.GetNextAssoc(pos, key, ob);
    objects.push_back(ob);
  }
  map.RemoveAll();
}

// Reads with `load` from bytes; true when it read without an exception.
template <class Fn>
bool Load(const BYTE* data, UINT size, Fn load) {
  CMemFile file;
  file.Attach(const_cast<BYTE*>(data), size, 0);
  bool ok = true;
  try {
    CArchive ar(&file, CArchive::load, kArchiveBuffer);
    load(ar);
    ar.Close();
  } catch (CException* e) {
    e->Delete();
    ok = false;
  }
  file.Detach();
  return ok;
}

// Stores with `store` and gives the bytes.
template <class Fn>
std::vector<BYTE> Store(Fn store) {
  CMemFile file(1024);
  {
    CArchive ar(&file, CArchive::store, kArchiveBuffer);
    store(ar);
    ar.Close();
  }
  std::vector<BYTE> bytes(file.GetLength());
  file.SeekToBegin();
  if (!bytes.empty()) file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  return bytes;
}

// A collection read by its Serialize; what reads is stored, read again and
// stored again, and both stored forms must be the same.
template <class T>
constexpr bool kHoldsObjects =
    std::is_same_v<T, CObList> || std::is_same_v<T, CObArray> || std::is_same_v<T, CMapStringToOb>;

template <class T>
void RoundTrip(const BYTE* data, UINT size) {
  std::vector<CObject*> objects;
  T first;
  bool ok = Load(data, size, [&](CArchive& ar) { first.Serialize(ar); });
  if (ok) {
    std::vector<BYTE> stored = Store([&](CArchive& ar) { first.Serialize(ar); });
    T second;
    Check(Load(stored.data(), static_cast<UINT>(stored.size()), [&](CArchive& ar) { second.Serialize(ar); }));
    std::vector<BYTE> again = Store([&](CArchive& ar) { second.Serialize(ar); });
    // A map stores in hash order, which the order of loading can change
    // among keys of one bucket.
    Check(std::is_same_v<T, CMapStringToOb> ? again.size() == stored.size() : again == stored);
    if constexpr (kHoldsObjects<T>) Collect(second, objects);
  }
  if constexpr (kHoldsObjects<T>) Collect(first, objects);
  DeleteObjects(objects);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size) {
  if (size == 0 || size > 1 << 20) return 0;
  const BYTE* data = input + 1;
  const UINT n = static_cast<UINT>(size - 1);
  const int what = input[0] % 12;
  const bool objects = what <= 1 || what >= 8;
  if (objects) __lsan_disable();
  switch (what) {
    case 0: {  // an object of any serialisable class
      CObject* ob = nullptr;
      Load(data, n, [&](CArchive& ar) { ob = ar.ReadObject(RUNTIME_CLASS(CObject)); });
      delete ob;
      break;
    }
    case 1: {  // a count, then objects: the registry's object lists
      std::vector<CObject*> objects;
      Load(data, n, [&](CArchive& ar) {
        DWORD_PTR count = ar.ReadCount();
        for (DWORD_PTR i = 0; i < count; ++i)
          if (CObject* ob = ar.ReadObject(RUNTIME_CLASS(CObList))) objects.push_back(ob);
      });
      DeleteObjects(objects);
      break;
    }
    case 2: {
      RECT rc;
      Load(data, n, [&](CArchive& ar) { ar >> rc; });
      break;
    }
    case 3: RoundTrip<CByteArray>(data, n); break;
    case 4: RoundTrip<CWordArray>(data, n); break;
    case 5: RoundTrip<CDWordArray>(data, n); break;
    case 6: RoundTrip<CStringArray>(data, n); break;
    case 7: RoundTrip<CStringList>(data, n); break;
    case 8: RoundTrip<CObList>(data, n); break;
    case 9: RoundTrip<CMapStringToOb>(data, n); break;
    case 10: RoundTrip<CObArray>(data, n); break;
    default: {
      CString text;
      UINT schema = 0;
      Load(data, n, [&](CArchive& ar) {
        ar >> text;
        ar.ReadClass(nullptr, &schema);
      });
      break;
    }
  }
  if (objects) __lsan_enable();
  return 0;
}
