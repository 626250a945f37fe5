// BinaryStream, the text streams and their openers, on real files.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "files_test_support.h"
#include "stream_objects.h"

namespace {

class Streams : public TempFolder {
protected:
    // A stream on a new file holding `bytes`, opened read/write.
    RuntimeObject* open_with(const std::string& bytes, bool little_endian = false) {
        const std::string name = "data" + std::to_string(++files_);
        write_file(at(name), bytes);
        Held file(item(name));
        RuntimeObject* stream = FolderItemOpenBinaryFile(file, 1);
        if (stream) reinterpret_cast<BinaryStreamObject*>(stream)->little_endian = little_endian;
        return stream;
    }
    RuntimeObject* create(const std::string& name) {
        Held file(item(name));
        return FolderItemCreateBinaryFile(file, nullptr);
    }
    int files_ = 0;
};

using Reader = std::int32_t (*)(RuntimeObject*);

TEST_F(Streams, ByteOrderOfTypedReads) {
    struct Case {
        const char* bytes;
        std::size_t n;
        bool little;
        Reader read;
        std::int32_t expected;
    } cases[] = {
        {"\x01\x02", 2, false, BinaryStreamReadShort, 258},
        {"\x01\x02", 2, true, BinaryStreamReadShort, 513},
        {"\xFF\xFE", 2, false, BinaryStreamReadShort, -2},
        {"\xFE\xFF", 2, true, BinaryStreamReadShort, -2},
        {"\x01\x02\x03\x04", 4, false, BinaryStreamReadLong, 0x01020304},
        {"\x01\x02\x03\x04", 4, true, BinaryStreamReadLong, 0x04030201},
        {"\xFF", 1, false, BinaryStreamReadByte, 255},
    };
    for (const Case& c : cases) {
        Held stream(open_with(std::string(c.bytes, c.n), c.little));
        ASSERT_NE(stream.get(), nullptr);
        EXPECT_EQ(c.read(stream), c.expected) << c.n << " bytes, little endian " << c.little;
    }
}

TEST_F(Streams, TypedWritesInBothOrdersReadBack) {
    for (bool little : {false, true}) {
        {
            Held stream(create("out"));
            reinterpret_cast<BinaryStreamObject*>(stream.get())->little_endian = little;
            BinaryStreamWriteByte(stream, 0x1FF);
            BinaryStreamWriteShort(stream, 0x10102);
            BinaryStreamWriteLong(stream, 0x01020304);
            BinaryStreamWriteFloat(stream, 1.5);
            BinaryStreamWriteDouble(stream, -2.25);
        }
        const std::string bytes = read_file(at("out"));
        ASSERT_EQ(bytes.size(), 19u);
        EXPECT_EQ(bytes.substr(0, 7), little ? std::string("\xFF\x02\x01\x04\x03\x02\x01", 7)
                                             : std::string("\xFF\x01\x02\x01\x02\x03\x04", 7));
        EXPECT_EQ(bytes.substr(7, 4), little ? std::string("\x00\x00\xC0\x3F", 4) : std::string("\x3F\xC0\x00\x00", 4));
        Held stream(open_with(bytes, little));
        EXPECT_EQ(BinaryStreamReadByte(stream), 255);
        EXPECT_EQ(BinaryStreamReadShort(stream), 0x0102);
        EXPECT_EQ(BinaryStreamReadLong(stream), 0x01020304);
        EXPECT_EQ(BinaryStreamReadFloat(stream), 1.5);
        EXPECT_EQ(BinaryStreamReadDouble(stream), -2.25);
        EXPECT_TRUE(BinaryStreamEOF(stream));
    }
}

TEST_F(Streams, ShortReadsGiveZeroAndConsumeWhatCame) {
    Held stream(open_with("abc"));
    EXPECT_EQ(BinaryStreamReadLong(stream), 0);
    EXPECT_EQ(BinaryStreamGetPosition(stream), 3);
    EXPECT_TRUE(BinaryStreamEOF(stream));
    BinaryStreamSetPosition(stream, 0);
    EXPECT_EQ(BinaryStreamReadDouble(stream), 0.0);
    EXPECT_EQ(BinaryStreamGetPosition(stream), 3);

    Held four(open_with("wxyz"));
    EXPECT_EQ(take(BinaryStreamRead(four, 0)), "");
    EXPECT_EQ(take(BinaryStreamRead(four, -5)), "");
    EXPECT_EQ(take(BinaryStreamRead(four, 10)), "wxyz");
    EXPECT_EQ(take(BinaryStreamRead(four, 10)), "");
    // A huge count is answered from what the file holds.
    BinaryStreamSetPosition(four, 1);
    EXPECT_EQ(take(BinaryStreamRead(four, 0x7FFFFFFF)), "xyz");
    EXPECT_EQ(take(BinaryStreamRead(four, 0x7FFFFFFF)), "");
}

TEST_F(Streams, ChunksStayIntactWhileHeldAndRefillOnlyWhenLetGo) {
    std::string bytes;
    for (char c : {'a', 'b', 'c', 'd'}) bytes += std::string(8192, c);
    Held stream(open_with(bytes));
    RuntimeString* first = BinaryStreamRead(stream, 8192);
    RuntimeString* second = BinaryStreamRead(stream, 8192);
    EXPECT_NE(first, second);
    EXPECT_EQ(take(BinaryStreamRead(stream, 8192)), std::string(8192, 'c'));
    EXPECT_EQ(take(BinaryStreamRead(stream, 8192)), std::string(8192, 'd'));
    EXPECT_EQ(take(first), std::string(8192, 'a'));
    EXPECT_EQ(take(second), std::string(8192, 'b'));
    // At the end a chunk that would be reused gives the short rest.
    BinaryStreamSetPosition(stream, 8192 * 3 + 100);
    EXPECT_EQ(take(BinaryStreamRead(stream, 8192)), std::string(8092, 'd'));
}

TEST_F(Streams, PStringsCutAt255AndShortOnesReadEmpty) {
    const std::string long_text(300, 'q');
    {
        Held stream(create("p"));
        Str text(long_text);
        BinaryStreamWritePString(stream, text);
        BinaryStreamWritePString(stream, nullptr);
        Str hi("hi");
        BinaryStreamWritePString(stream, hi);
    }
    const std::string bytes = read_file(at("p"));
    ASSERT_EQ(bytes.size(), 256u + 1u + 3u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 255);
    EXPECT_EQ(bytes.substr(1, 255), long_text.substr(0, 255));
    EXPECT_EQ(bytes.substr(256), std::string("\0\x02hi", 4));
    Held back(open_with(bytes));
    EXPECT_EQ(take(BinaryStreamReadPString(back)), long_text.substr(0, 255));
    EXPECT_EQ(take(BinaryStreamReadPString(back)), "");
    EXPECT_EQ(take(BinaryStreamReadPString(back)), "hi");

    Held cut(open_with("\x05" "abc"));
    EXPECT_EQ(take(BinaryStreamReadPString(cut)), "");
    EXPECT_EQ(BinaryStreamGetPosition(cut), 4);
}

TEST_F(Streams, ClosedStreamReadsNothingAndIgnoresWrites) {
    Held stream(open_with("12345678"));
    BinaryStreamClose(stream);
    EXPECT_TRUE(BinaryStreamEOF(stream));
    EXPECT_EQ(take(BinaryStreamRead(stream, 4)), "");
    EXPECT_EQ(BinaryStreamReadLong(stream), 0);
    EXPECT_EQ(BinaryStreamReadDouble(stream), 0.0);
    EXPECT_EQ(take(BinaryStreamReadPString(stream)), "");
    EXPECT_EQ(BinaryStreamGetLength(stream), 0);
    EXPECT_EQ(BinaryStreamGetPosition(stream), 0);
    Str more("more");
    BinaryStreamWrite(stream, more);
    BinaryStreamWriteLong(stream, 7);
    BinaryStreamWritePString(stream, more);
    BinaryStreamSetLength(stream, 2);
    BinaryStreamSetPosition(stream, 2);
    BinaryStreamClose(stream);
    EXPECT_EQ(read_file(at("data1")), "12345678");
}

TEST_F(Streams, WritingPastTheEndExtendsAndLengthCutsOrExtends) {
    Held stream(create("grow"));
    BinaryStreamSetPosition(stream, 10);
    BinaryStreamWriteByte(stream, 'x');
    EXPECT_EQ(BinaryStreamGetLength(stream), 11);
    EXPECT_EQ(read_file(at("grow")), std::string(10, '\0') + "x");
    BinaryStreamSetLength(stream, 4);
    EXPECT_EQ(BinaryStreamGetLength(stream), 4);
    EXPECT_EQ(BinaryStreamGetPosition(stream), 11) << "setting the length keeps the position";
    BinaryStreamSetLength(stream, 6);
    EXPECT_EQ(read_file(at("grow")), std::string(6, '\0'));
    Str ab("ab");
    BinaryStreamSetPosition(stream, 0);
    BinaryStreamWrite(stream, ab);
    BinaryStreamWrite(stream, nullptr);
    EXPECT_EQ(read_file(at("grow")), std::string("ab\0\0\0\0", 6));
}

TEST_F(Streams, CreateCutsAndOpenNeverCreates) {
    write_file(at("old"), "old contents");
    Held cut(create("old"));
    ASSERT_NE(cut.get(), nullptr);
    EXPECT_EQ(read_file(at("old")), "");
    Held missing(item("missing"));
    EXPECT_EQ(FolderItemOpenBinaryFile(missing, 0), nullptr);
    EXPECT_EQ(FolderItemOpenBinaryFile(missing, 1), nullptr);
    EXPECT_EQ(FolderItemOpenTextFile(missing), nullptr);
    EXPECT_FALSE(file_exists(at("missing")));
    Held in_missing_folder(item("no\\such"));
    EXPECT_EQ(FolderItemCreateBinaryFile(in_missing_folder, nullptr), nullptr);
    EXPECT_EQ(FolderItemCreateTextFile(in_missing_folder), nullptr);
    EXPECT_EQ(FolderItemAppendTextFile(in_missing_folder), nullptr);
    EXPECT_EQ(FolderItemOpenBinaryFile(nullptr, 0), nullptr);
}

TEST_F(Streams, CreateLeavesAReadOnlyFileAsItWas) {
    write_file(at("locked"), "kept");
    ASSERT_TRUE(SetFileAttributesA(at("locked").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(create("locked"), nullptr);
    Held locked(item("locked"));
    EXPECT_EQ(FolderItemCreateTextFile(locked), nullptr);
    EXPECT_EQ(read_file(at("locked")), "kept");
    SetFileAttributesA(at("locked").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Streams, ReadOnlyStreamDoesNotWrite) {
    write_file(at("ro"), "abc");
    Held file(item("ro"));
    Held stream(FolderItemOpenBinaryFile(file, 0));
    BinaryStreamWriteByte(stream, 'z');
    EXPECT_EQ(take(BinaryStreamRead(stream, 3)), "abc");
    EXPECT_EQ(read_file(at("ro")), "abc");
}

TEST_F(Streams, LastReleaseClosesTheFile) {
    write_file(at("held"), "x");
    auto exclusive_open = [&] {
        HANDLE h = CreateFileA(at("held").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        CloseHandle(h);
        return true;
    };
    Held file(item("held"));
    RuntimeObject* stream = FolderItemOpenBinaryFile(file, 0);
    ASSERT_NE(stream, nullptr);
    EXPECT_FALSE(exclusive_open());
    RuntimeUnlockObject(stream);
    EXPECT_TRUE(exclusive_open());
}

TEST(TemporaryStream, DeletesItsFileOnCloseOrRelease) {
    for (bool by_close : {true, false}) {
        FileStream* temporary = file_stream_create_temporary();
        ASSERT_NE(temporary, nullptr);
        RuntimeObject* stream = binary_stream_new(temporary);
        Str bytes("temp");
        BinaryStreamWrite(stream, bytes);
        EXPECT_EQ(BinaryStreamGetLength(stream), 4);
        // The newest "tvt" file in the temporary folder is this one.
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        const std::string pattern = std::string(temp) + "tvt*.tmp";
        auto count_tvt = [&] {
            WIN32_FIND_DATAA found;
            HANDLE search = FindFirstFileA(pattern.c_str(), &found);
            int n = 0;
            if (search == INVALID_HANDLE_VALUE) return n;
            do ++n;
            while (FindNextFileA(search, &found));
            FindClose(search);
            return n;
        };
        const int while_open = count_tvt();
        EXPECT_GE(while_open, 1);
        if (by_close) BinaryStreamClose(stream);
        RuntimeUnlockObject(stream);
        EXPECT_EQ(count_tvt(), while_open - 1) << (by_close ? "closed" : "released");
    }
}

class TextStreams : public TempFolder {
protected:
    RuntimeObject* open_text(const std::string& bytes) {
        write_file(at("text"), bytes);
        Held file(item("text"));
        return FolderItemOpenTextFile(file);
    }
    RuntimeObject* create_text() {
        Held file(item("out"));
        return FolderItemCreateTextFile(file);
    }
};

TEST_F(TextStreams, ReadLineEndsAtCrLfCrOrLf) {
    Held in(open_text("A\r\nB\rC\nD"));
    for (const char* line : {"A", "B", "C", "D"}) {
        EXPECT_FALSE(TextInputStreamEOF(in)) << line;
        EXPECT_EQ(take(TextInputStreamReadLine(in)), line);
    }
    EXPECT_TRUE(TextInputStreamEOF(in));
    EXPECT_EQ(take(TextInputStreamReadLine(in)), "");
}

TEST_F(TextStreams, LinesAcrossBufferBoundaries) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        // The CR is the buffer's last byte and its LF the next buffer's first.
        {std::string(1023, 'x') + "\r\ny", {std::string(1023, 'x'), "y"}},
        {std::string(1023, 'x') + "\r", {std::string(1023, 'x')}},
        {std::string(3000, 'l') + "\n\n" + "end\r\n", {std::string(3000, 'l'), "", "end"}},
        {std::string(1024, 'z'), {std::string(1024, 'z')}},
    };
    for (const Case& c : cases) {
        Held in(open_text(c.text));
        for (const std::string& line : c.lines) EXPECT_EQ(take(TextInputStreamReadLine(in)), line) << c.text.size();
        EXPECT_TRUE(TextInputStreamEOF(in)) << c.text.size();
    }
}

TEST_F(TextStreams, ReadAllGivesTheUnreadRest) {
    const std::string tail(5000, 't');
    Held in(open_text("first\r\n" + tail));
    EXPECT_EQ(take(TextInputStreamReadLine(in)), "first");
    EXPECT_EQ(take(TextInputStreamReadAll(in)), tail);
    EXPECT_TRUE(TextInputStreamEOF(in));
    EXPECT_EQ(take(TextInputStreamReadAll(in)), "");
}

TEST_F(TextStreams, ClosedInputGivesEmptyAndNoEof) {
    Held in(open_text("line"));
    TextInputStreamClose(in);
    EXPECT_EQ(take(TextInputStreamReadLine(in)), "");
    EXPECT_EQ(take(TextInputStreamReadAll(in)), "");
    EXPECT_FALSE(TextInputStreamEOF(in));
    TextInputStreamClose(in);
}

TEST_F(TextStreams, WriteLineUsesTheDelimiterOrCrLf) {
    {
        Held out(create_text());
        Str one("one"), two("two"), lf("\n");
        TextOutputStreamWriteLine(out, one);
        string_assign(&reinterpret_cast<TextOutputStreamObject*>(out.get())->delimiter, lf);
        TextOutputStreamWriteLine(out, two);
        TextOutputStreamWrite(out, one);
        TextOutputStreamWriteLine(out, nullptr);
        TextOutputStreamClose(out);
        TextOutputStreamWriteLine(out, two);
    }
    EXPECT_EQ(read_file(at("out")), "one\r\ntwo\none\n");
}

TEST_F(TextStreams, AppendWritesAtTheEndOrCreates) {
    write_file(at("out"), "abc");
    Str line("d");
    {
        Held file(item("out"));
        Held out(FolderItemAppendTextFile(file));
        TextOutputStreamWriteLine(out, line);
    }
    EXPECT_EQ(read_file(at("out")), "abcd\r\n");
    {
        Held file(item("new"));
        Held out(FolderItemAppendTextFile(file));
        ASSERT_NE(out.get(), nullptr);
        TextOutputStreamWrite(out, line);
    }
    EXPECT_EQ(read_file(at("new")), "d");
}

}  // namespace
