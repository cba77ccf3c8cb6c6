// The functions that the shipped program loads on first use: in the file as it ships, each slot it calls through
// must hold the address of that function's thunk, relocated with the image wherever the system places it; the
// thunk must hand that very slot to its DLL's tail, and the tail that DLL's descriptor to the delay-load helper;
// the descriptor must name the DLL and, at the slot's place, the function; and the function must be there to
// bind, in the DLL of this system. A slot written as 0 made the first call jump to address 0.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct Slot {
    std::string dll, function;
    std::uint64_t rva = 0;
};

// The build's table of slots (cmake/DelaySlotTable.cmake): "dll function rva" lines.
std::vector<Slot> readSlotTable(const std::string& path) {
    std::vector<Slot> slots;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        Slot s;
        std::string rva;
        if (words >> s.dll >> s.function >> rva) {
            s.rva = std::stoull(rva, nullptr, 16);
            slots.push_back(s);
        }
    }
    return slots;
}

// The shipped file, read as it lies on disk, whatever this test was built for (a 64-bit host checks the 32-bit
// program too): addresses relative to the image are turned into places in the file through its section table,
// and nothing outside a section's stored bytes is ever read.
class PeFile {
public:
    explicit PeFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        bytes_.assign(std::istreambuf_iterator<char>(in), {});
        IMAGE_DOS_HEADER dos{};
        DWORD signature = 0;
        IMAGE_FILE_HEADER file{};
        if (!readFile(0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE) return;
        const std::size_t nt = static_cast<std::size_t>(dos.e_lfanew);
        if (!readFile(nt, signature) || signature != IMAGE_NT_SIGNATURE || !readFile(nt + 4, file)) return;
        const std::size_t optional = nt + 4 + sizeof(file);
        wide_ = file.Machine == IMAGE_FILE_MACHINE_AMD64;
        if (wide_) {
            IMAGE_OPTIONAL_HEADER64 h{};
            if (!readFile(optional, h)) return;
            imageBase_ = h.ImageBase;
            relocations_ = h.DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC];
        } else if (file.Machine == IMAGE_FILE_MACHINE_I386) {
            IMAGE_OPTIONAL_HEADER32 h{};
            if (!readFile(optional, h)) return;
            imageBase_ = h.ImageBase;
            relocations_ = h.DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC];
        } else {
            return;
        }
        sections_.resize(file.NumberOfSections);
        for (std::size_t i = 0; i < sections_.size(); ++i)
            if (!readFile(optional + file.SizeOfOptionalHeader + i * sizeof(IMAGE_SECTION_HEADER), sections_[i]))
                return;
        valid_ = true;
    }

    bool valid() const { return valid_; }
    bool wide() const { return wide_; }  // x86-64 rather than 32-bit x86
    std::uint64_t imageBase() const { return imageBase_; }
    std::size_t pointerSize() const { return wide_ ? 8 : 4; }

    // The stored bytes at `rva`, `size` of them, or nullptr where the file holds none.
    const std::uint8_t* at(std::uint64_t rva, std::size_t size) const {
        const IMAGE_SECTION_HEADER* s = sectionOf(rva, size);
        if (!s || rva + size > s->VirtualAddress + s->SizeOfRawData) return nullptr;
        const std::size_t offset = s->PointerToRawData + static_cast<std::size_t>(rva - s->VirtualAddress);
        return offset + size <= bytes_.size() ? bytes_.data() + offset : nullptr;
    }
    template <class T>
    bool read(std::uint64_t rva, T& out) const {
        const std::uint8_t* p = at(rva, sizeof(T));
        if (p) std::memcpy(&out, p, sizeof(T));
        return p != nullptr;
    }
    // A pointer-sized value of the file's kind.
    bool readPointer(std::uint64_t rva, std::uint64_t& out) const {
        std::uint32_t narrow = 0;
        out = 0;
        return wide_ ? read(rva, out) : (read(rva, narrow) ? (out = narrow, true) : false);
    }
    std::string text(std::uint64_t rva) const {
        std::string out;
        for (const std::uint8_t* p; (p = at(rva + out.size(), 1)) && *p && out.size() < 256;) out.push_back(*p);
        return out;
    }

    bool inCode(std::uint64_t rva, std::size_t size) const {
        const IMAGE_SECTION_HEADER* s = sectionOf(rva, size);
        return s && (s->Characteristics & IMAGE_SCN_MEM_EXECUTE);
    }

    // True when the base relocations move the pointer-sized value at `rva` with the image.
    bool relocated(std::uint64_t rva) const {
        const unsigned kind = wide_ ? IMAGE_REL_BASED_DIR64 : IMAGE_REL_BASED_HIGHLOW;
        const std::uint64_t end = std::uint64_t{relocations_.VirtualAddress} + relocations_.Size;
        for (std::uint64_t block = relocations_.VirtualAddress; block < end;) {
            IMAGE_BASE_RELOCATION head{};
            if (!read(block, head) || head.SizeOfBlock < sizeof(head)) return false;
            for (std::uint64_t e = block + sizeof(head); e + 2 <= block + head.SizeOfBlock; e += 2) {
                std::uint16_t entry = 0;
                if (read(e, entry) && entry >> 12 == kind && head.VirtualAddress + (entry & 0xFFFu) == rva) return true;
            }
            block += head.SizeOfBlock;
        }
        return false;
    }

private:
    template <class T>
    bool readFile(std::size_t offset, T& out) const {
        if (offset + sizeof(T) > bytes_.size()) return false;
        std::memcpy(&out, bytes_.data() + offset, sizeof(T));
        return true;
    }
    const IMAGE_SECTION_HEADER* sectionOf(std::uint64_t rva, std::size_t size) const {
        for (const IMAGE_SECTION_HEADER& s : sections_)
            if (rva >= s.VirtualAddress && rva + size <= std::uint64_t{s.VirtualAddress} + s.Misc.VirtualSize)
                return &s;
        return nullptr;
    }

    std::vector<std::uint8_t> bytes_;
    bool valid_ = false, wide_ = false;
    std::uint64_t imageBase_ = 0;
    IMAGE_DATA_DIRECTORY relocations_{};
    std::vector<IMAGE_SECTION_HEADER> sections_;
};

std::int32_t rel32(const PeFile& pe, std::uint64_t rva) {
    std::int32_t v = 0;
    pe.read(rva, v);
    return v;
}

// Follows a slot's thunk to the descriptor it hands to the delay-load helper, as the delay-import libraries
// lay it out. On 32-bit x86:
//   thunk: mov eax, slot; jmp tail          tail: push ecx; push edx; push eax; push descriptor; call helper
// On x86-64:
//   thunk: lea rax, [slot]; jmp tail        tail: (saves the argument registers) lea rcx, [descriptor]; call helper
// Returns the descriptor's address relative to the image, or 0 with `why` saying what did not match.
std::uint64_t descriptorOfThunk(const PeFile& pe, std::uint64_t thunk, std::uint64_t slot, std::string& why) {
    if (pe.wide()) {
        const std::uint8_t* t = pe.at(thunk, 12);
        if (!pe.inCode(thunk, 12) || !t || t[0] != 0x48 || t[1] != 0x8D || t[2] != 0x05 || t[7] != 0xE9) {
            why = "the slot does not point at a thunk";
            return 0;
        }
        if (thunk + 7 + rel32(pe, thunk + 3) != slot) {
            why = "the thunk hands on another slot";
            return 0;
        }
        const std::uint64_t tail = thunk + 12 + rel32(pe, thunk + 8);
        for (std::uint64_t p = tail; p < tail + 48; ++p) {
            const std::uint8_t* c = pe.at(p, 12);
            if (pe.inCode(p, 12) && c && c[0] == 0x48 && c[1] == 0x8D && c[2] == 0x0D && c[7] == 0xE8 &&
                pe.inCode(p + 12 + rel32(pe, p + 8), 1))
                return p + 7 + rel32(pe, p + 3);
        }
    } else {
        const std::uint8_t* t = pe.at(thunk, 10);
        if (!pe.inCode(thunk, 10) || !t || t[0] != 0xB8 || t[5] != 0xE9) {
            why = "the slot does not point at a thunk";
            return 0;
        }
        std::uint32_t handed = 0;
        pe.read(thunk + 1, handed);
        if (handed - pe.imageBase() != slot || !pe.relocated(thunk + 1)) {
            why = "the thunk hands on another slot, or one that does not move with the image";
            return 0;
        }
        const std::uint64_t tail = thunk + 10 + rel32(pe, thunk + 6);
        const std::uint8_t* c = pe.at(tail, 13);
        std::uint32_t descriptor = 0;
        if (pe.inCode(tail, 13) && c && c[0] == 0x51 && c[1] == 0x52 && c[2] == 0x50 && c[3] == 0x68 && c[8] == 0xE8 &&
            pe.read(tail + 4, descriptor) && pe.relocated(tail + 4) && pe.inCode(tail + 13 + rel32(pe, tail + 9), 1))
            return descriptor - pe.imageBase();
    }
    why = "the thunk's tail does not call the delay-load helper with a descriptor";
    return 0;
}

// The function the descriptor names for `slot`: its import-name entry at the slot's place in the address table.
std::string importedName(const PeFile& pe, const IMAGE_DELAYLOAD_DESCRIPTOR& d, std::uint64_t slot) {
    const std::size_t size = pe.pointerSize();
    if (slot < d.ImportAddressTableRVA || (slot - d.ImportAddressTableRVA) % size) return {};
    const std::uint64_t index = (slot - d.ImportAddressTableRVA) / size;
    std::uint64_t entry = 0;
    for (std::uint64_t i = 0; i <= index; ++i)
        if (!pe.readPointer(d.ImportNameTableRVA + i * size, entry) || entry == 0)
            return {};                       // the slot lies past this DLL's table
    if (entry >> (size * 8 - 1)) return {};  // imported by ordinal
    return pe.text(entry + offsetof(IMAGE_IMPORT_BY_NAME, Name));
}

// The program to check: the one this build made, or KV_DELAY_CHECK_EXE (with its .delayslots beside it), so that
// a host that runs only 64-bit programs checks the 32-bit one too.
std::string programToCheck() {
    const char* other = std::getenv("KV_DELAY_CHECK_EXE");
    return other && *other ? other : KOVRA_EXE;
}

TEST(DelayImports, EverySlotHoldsItsThunkAndTheFunctionItNamesIsThere) {
    const std::string program = programToCheck();
    const std::vector<Slot> slots = readSlotTable(program + ".delayslots");
    ASSERT_FALSE(slots.empty()) << "no slots listed in " << program << ".delayslots";
    const PeFile pe(program);
    ASSERT_TRUE(pe.valid()) << program << " is not a readable x86 or x86-64 program";

    for (const Slot& s : slots) {
        SCOPED_TRACE(s.dll + " " + s.function);
        std::uint64_t value = 0;
        ASSERT_TRUE(pe.readPointer(s.rva, value)) << "the slot lies outside the file's stored bytes";
        ASSERT_NE(value, 0u) << "the slot is empty: the first call would jump to address 0";
        EXPECT_TRUE(pe.relocated(s.rva)) << "the slot does not move with the image";

        std::string why;
        const std::uint64_t at = descriptorOfThunk(pe, value - pe.imageBase(), s.rva, why);
        ASSERT_NE(at, 0u) << why;
        IMAGE_DELAYLOAD_DESCRIPTOR d{};
        ASSERT_TRUE(pe.read(at, d));
        ASSERT_TRUE(d.Attributes.RvaBased) << "the descriptor holds addresses, not offsets";
        EXPECT_STRCASEEQ(pe.text(d.DllNameRVA).c_str(), (s.dll + ".dll").c_str());
        EXPECT_EQ(importedName(pe, d, s.rva), s.function);

        // The DLL of this system (of this test's kind: the same names are exported by both kinds).
        HMODULE dll = LoadLibraryA((s.dll + ".dll").c_str());
        ASSERT_NE(dll, nullptr);
        EXPECT_NE(GetProcAddress(dll, s.function.c_str()), nullptr);
    }
}

}  // namespace
