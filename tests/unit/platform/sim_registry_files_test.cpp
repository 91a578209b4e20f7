#include <gtest/gtest.h>

#include "platform/result_codes.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_registry.h"

namespace vardex {
namespace {

TEST(SimRegistry, OpenCreateReadWriteWithSystemResultCodes) {
    sim::SimRegistry reg;
    RegKey key = 0;
    EXPECT_EQ(reg.open_key(local_machine, "SOFTWARE\\Morvandel4", RegAccess::full, key),
              result::file_not_found);
    EXPECT_EQ(key, 0u);
    ASSERT_EQ(reg.create_key(local_machine, "SOFTWARE\\Morvandel4", key), result::ok);
    EXPECT_EQ(reg.set_number(key, "Value5", -3), result::ok);
    EXPECT_EQ(reg.set_text(key, "String1", "abc"), result::ok);

    std::int32_t n = 0;
    std::string t;
    EXPECT_EQ(reg.query_number(key, "VALUE5", n), result::ok);  // names ignore case
    EXPECT_EQ(n, -3);
    EXPECT_EQ(reg.query_number(key, "String1", n), result::invalid_data);
    EXPECT_EQ(reg.query_text(key, "String1", t), result::ok);
    EXPECT_EQ(t, "abc");
    EXPECT_EQ(reg.query_text(key, "String1", t, 3), result::more_data);  // NUL needs a byte
    EXPECT_EQ(reg.query_text(key, "String1", t, 4), result::ok);
    EXPECT_EQ(reg.query_text(key, "Missing", t), result::file_not_found);
    EXPECT_EQ(reg.delete_value(key, "String1"), result::ok);
    EXPECT_EQ(reg.delete_value(key, "String1"), result::file_not_found);

    RegKey sub = 0;
    ASSERT_EQ(reg.create_key(key, "cp0", sub), result::ok);
    EXPECT_EQ(reg.set_number(sub, "canz", 60), result::ok);
    EXPECT_EQ(reg.number("software\\morvandel4\\CP0", "canz"), 60);
    EXPECT_EQ(reg.close_key(sub), result::ok);
    EXPECT_EQ(reg.close_key(sub), result::invalid_handle);
    EXPECT_EQ(reg.set_number(sub, "canz", 1), result::invalid_handle);
    reg.close_key(key);
    EXPECT_EQ(reg.open_handles(), 0u);
}

TEST(SimRegistry, QueryAccessIsReadOnlyAndFaultsFailWrites) {
    sim::SimRegistry reg;
    reg.put_text("SOFTWARE\\Quorvane\\Vardex\\4.0", "Help_Dir", "C:\\Vardex");
    RegKey key = 0;
    ASSERT_EQ(reg.open_key(local_machine, "SOFTWARE\\Quorvane\\Vardex\\4.0", RegAccess::query, key),
              result::ok);
    EXPECT_EQ(reg.set_text(key, "Help_Dir", "x"), result::access_denied);
    reg.close_key(key);

    reg.put_key("SOFTWARE\\Morvandel4");
    reg.fail_write("SOFTWARE\\Morvandel4", "List_Anz");
    ASSERT_EQ(reg.open_key(local_machine, "SOFTWARE\\Morvandel4", RegAccess::full, key),
              result::ok);
    EXPECT_EQ(reg.set_number(key, "List_Anz", 0), result::access_denied);
    EXPECT_EQ(reg.set_number(key, "l2_1", 0), result::ok);
    reg.fail_writes("SOFTWARE");
    EXPECT_EQ(reg.set_number(key, "l2_1", 0), result::access_denied);
    reg.fail_open("SOFTWARE\\Morvandel4");
    RegKey other = 0;
    EXPECT_EQ(reg.open_key(local_machine, "SOFTWARE\\Morvandel4", RegAccess::full, other),
              result::access_denied);
    reg.clear_faults();
    EXPECT_EQ(reg.set_number(key, "List_Anz", 0), result::ok);
    reg.close_key(key);
}

TEST(SimFiles, FoldersMustExistAndPathsIgnoreCase) {
    sim::SimFiles files;
    EXPECT_FALSE(files.append("C:\\missing\\log.txt", "x"));
    EXPECT_TRUE(files.append("c:\\vadolog.txt", "line 1\r\n"));
    EXPECT_TRUE(files.append("C:/VADOLOG.TXT", "line 2\r\n"));
    EXPECT_EQ(files.content("C:\\vadolog.txt"), "line 1\r\nline 2\r\n");
    EXPECT_TRUE(files.append("C:\\empty.txt", ""));  // opening for append creates the file
    EXPECT_TRUE(files.exists("C:\\EMPTY.TXT"));

    EXPECT_FALSE(files.create_folder("C:\\a\\b"));
    EXPECT_TRUE(files.create_folder("C:\\a"));
    EXPECT_TRUE(files.create_folder("C:\\a\\b\\"));
    EXPECT_TRUE(files.write("C:\\a\\b\\f.txt", "new"));
    EXPECT_TRUE(files.copy("C:\\a\\b\\f.txt", "C:\\a\\g.txt"));
    EXPECT_TRUE(files.rename("C:\\a\\g.txt", "C:\\a\\h.txt"));
    EXPECT_FALSE(files.rename("C:\\a\\h.txt", "C:\\a\\b\\f.txt"));  // target exists
    EXPECT_TRUE(files.remove("C:\\a\\h.txt"));
    EXPECT_FALSE(files.remove("C:\\a\\h.txt"));
    std::string content;
    EXPECT_TRUE(files.read("c:\\A\\B\\F.TXT", content));
    EXPECT_EQ(content, "new");

    files.fail("C:\\vadolog.txt");
    EXPECT_FALSE(files.append("C:\\vadolog.txt", "x"));
    EXPECT_FALSE(files.read("C:\\vadolog.txt", content));
    files.clear_faults();

    files.set_program_path("C:\\Program Files\\Vardex\\vado41.exe");
    EXPECT_EQ(files.program_folder(), "C:\\Program Files\\Vardex");
    EXPECT_EQ(files.program_name(), "vado41");
    EXPECT_EQ(files.work_folder(), "C:\\WINDOWS\\TEMP\\");
}

}  // namespace
}  // namespace vardex
