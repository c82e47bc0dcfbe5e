// Fuzz target: a registry value of stored state, read back as the UI
// library's registry class reads it: the value's bytes in a memory file,
// a loading archive with the registry's buffer, and the first byte picks
// what is read (an object of any class, a list of objects, a rectangle,
// the arrays, string lists, a map, a string). Damaged data must end in a
// CException, never a crash or an allocation beyond the data. What reads
// must store and read back the same, and nothing may leak, with one
// exception: the object collections hold objects without owning them, so
// the objects a damaged image leaves in a nested collection that the
// archive then frees (or under a key given twice) belong to nobody. Those
// are found among the allocations still live when an input has been read
// (they are serialisable objects, known by their class's vtable and size)
// and deleted, so that they neither add up over millions of inputs nor
// hide a leak of anything else from the leak checker.
#include <sanitizer/allocator_interface.h>

#include <cstdint>
#include <cstdlib>
#include <type_traits>
#include <unordered_set>
#include <vector>

#include "afxarchive.h"
#include "afxcoll.h"

namespace {

const int kArchiveBuffer = 4096;  // as the registry class reads

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

// ---- the objects nobody owns

thread_local bool g_tracking = false;
thread_local bool g_inHook = false;
std::unordered_set<const volatile void*>* g_live = nullptr;

void OnMalloc(const volatile void* p, size_t) {
  if (!g_tracking || g_inHook) return;
  g_inHook = true;
  g_live->insert(p);
  g_inHook = false;
}

void OnFree(const volatile void* p) {
  if (!g_tracking || g_inHook) return;
  g_inHook = true;
  g_live->erase(p);
  g_inHook = false;
}

// The vtable and size of every class an archive can create here.
struct Creatable {
  const void* vtable;
  size_t size;
};
std::vector<Creatable>* g_creatable = nullptr;

void LearnClasses() {
  g_live = new std::unordered_set<const volatile void*>;
  g_creatable = new std::vector<Creatable>;
  for (CRuntimeClass* c : {RUNTIME_CLASS(CObList), RUNTIME_CLASS(CStringList), RUNTIME_CLASS(CObArray),
                           RUNTIME_CLASS(CStringArray), RUNTIME_CLASS(CByteArray), RUNTIME_CLASS(CWordArray),
                           RUNTIME_CLASS(CDWordArray), RUNTIME_CLASS(CUIntArray), RUNTIME_CLASS(CMapStringToOb)}) {
    CObject* ob = c->CreateObject();
    g_creatable->push_back({*reinterpret_cast<void* const*>(ob), __sanitizer_get_allocated_size(ob)});
    delete ob;
  }
  __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree);
}

// Runs read with every allocation it makes recorded, then deletes the
// serialisable objects among those still live.
template <class Fn>
void DeletingOrphans(Fn read) {
  g_live->clear();
  g_tracking = true;
  read();
  g_tracking = false;
  std::vector<CObject*> orphans;
  for (const volatile void* p : *g_live) {
    const void* block = const_cast<const void*>(p);
    size_t size = __sanitizer_get_allocated_size(block);
    if (size < sizeof(void*)) continue;
    const void* vtable = *static_cast<void* const*>(block);
    for (const Creatable& c : *g_creatable)
      if (c.vtable == vtable && c.size == size) orphans.push_back(static_cast<CObject*>(const_cast<void*>(block)));
  }
  g_live->clear();
  for (CObject* ob : orphans) delete ob;
}

// Deletes the objects and, since the collections hold their objects without
// owning them, the objects of every collection among them, each object once
// however often back references repeat it (a collection may even hold
// itself).
void DeleteObjects(std::vector<CObject*>& objects) {
  std::unordered_set<CObject*> seen;
  std::vector<CObject*> all;
  for (size_t i = 0; i < objects.size(); ++i) {
    CObject* ob = objects[i];
    if (!ob || !seen.insert(ob).second) continue;
    all.push_back(ob);
    if (ob->IsKindOf(RUNTIME_CLASS(CObList))) {
      CObList* list = static_cast<CObList*>(ob);
      for (POSITION pos = list->GetHeadPosition(); pos;) objects.push_back(list->GetNext(pos));
    } else if (ob->IsKindOf(RUNTIME_CLASS(CObArray))) {
      CObArray* array = static_cast<CObArray*>(ob);
      for (INT_PTR k = 0; k < array->GetSize(); ++k) objects.push_back(array->GetAt(k));
    } else if (ob->IsKindOf(RUNTIME_CLASS(CMapStringToOb))) {
      CMapStringToOb* map = static_cast<CMapStringToOb*>(ob);
      for (POSITION pos = map->GetStartPosition(); pos;) {
        CString key;
        CObject* value = nullptr;
        map->GetNextAssoc(pos, key, value);
        objects.push_back(value);
      }
    }
  }
  for (CObject* ob : all) delete ob;
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

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  LearnClasses();
  return 0;
}

namespace {

void ReadInput(const BYTE* data, UINT n, int what) {
  switch (what) {
    case 0: {  // an object of any serialisable class
      std::vector<CObject*> objects(1, nullptr);
      Load(data, n, [&](CArchive& ar) { objects[0] = ar.ReadObject(RUNTIME_CLASS(CObject)); });
      DeleteObjects(objects);
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
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size) {
  if (size == 0 || size > 1 << 20) return 0;
  const int what = input[0] % 12;
  const bool objects = what <= 1 || what >= 8;
  if (objects)
    DeletingOrphans([&] { ReadInput(input + 1, static_cast<UINT>(size - 1), what); });
  else
    ReadInput(input + 1, static_cast<UINT>(size - 1), what);
  return 0;
}
