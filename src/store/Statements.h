#pragma once

// The catalogue of every statement the program runs, word for word and blank for blank.
// Statements are never built from user input: callers bind values to the named parameters.
// The numbers are the catalogue's own numbering, used in tests and closing notes.
namespace Statements {

// The user statements name their columns: no statement but the login check of a file store
// reads a password's verifier.
// 1
inline constexpr const char* kSelectAllUsers =
    "Select KeyID,UserLogName,UserTrueName,Remarks,IfAdmin from tbl_user";
// 2
inline constexpr const char* kSelectUserByKey =
    "Select KeyID,UserLogName,UserTrueName,Remarks,IfAdmin from tbl_user where keyid=:p";
// 3
inline constexpr const char* kSelectUserByLogName =
    "Select KeyID,UserLogName,UserTrueName,Remarks,IfAdmin from tbl_user where userlogname=:p";
// 4
inline constexpr const char* kInsertUser =
    "Insert Into tbl_User(UserLogName,UserTrueName,UserPwd,Remarks,IfAdmin) "
    "values(:p1,:p2,:p3,:p4,:p5)";
// 5
inline constexpr const char* kDeleteUser = "Delete from tbl_user where keyid=:p";
// 6: the account's verifier is checked by the program, never compared in the statement.
inline constexpr const char* kLogin =
    "Select KeyID,UserLogName,UserTrueName,UserPwd,IfAdmin from tbl_user where UserLogName=:P1";
// 6a: the same check for the account already logged in (the password change), on a file.
inline constexpr const char* kPasswordOfAccount = "Select UserPwd from tbl_user where keyid=:p";
// 7
inline constexpr const char* kUpdatePassword = "Update tbl_user set userpwd=:p where keyid=:p1";
// 8
inline constexpr const char* kSelectPermission = "Select * from tbl_popdem where userid=:p";
// 9
inline constexpr const char* kUpdatePermission =
    "Update tbl_popdem set UserPopdem=:p where userid=:p1";
// 10
inline constexpr const char* kInsertPermission =
    "insert into tbl_popdem(UserId,UserPopdem) values(:p1,:p)";
// 11
inline constexpr const char* kInsertReminder =
    "insert into "
    "tbl_reminder(ReuserID,ReDetail,ReAction,ReBegintime,ReintervalNumber,ReintervalType,ReDoTime,"
    "RedouserID,Retype,IFdone,totaltime) values(:p1,:P2,:p3,:p4,:p5,:p6,:p7,:p8,:p9,:p10,:p11)";
// 12
inline constexpr const char* kUpdateReminder =
    "Update tbl_reminder set "
    "Reuserid=:p1,ReDetail=:p2,ReAction=:p3,ReBeginTime=:p4,ReintervalNumber=:p5,ReintervalType=:"
    "p6,ReDoTime=:p7,Redouserid=:p8,Retype=:p9,IfDone=:p10,TotalTime=:p11 where Keyid=:p12";
// 13
inline constexpr const char* kPendingList =
    "Select a.*,b.UserTrueName  from tbl_reminder a inner join tbl_user b on a.reuserid=b.keyid "
    "where a.reuserid=:p and ifdone=0 order by totaltime ";
// 14: by sort key, rows without one first, then by key, which is the order the history list
// has always shown.
inline constexpr const char* kHistoryList =
    "Select a.*,b.UserTrueName  from tbl_reminder a inner join tbl_user b on a.reuserid=b.keyid "
    "where a.reuserid=:p and ifdone=1 order by totaltime nulls first, a.keyid ";
// 14, read a page of :n rows at a time in the same order: the first rows; after the row with
// sort key :t and key :k, the rest of its sort key and then the later sort keys; after a row
// without a sort key, the rest of those and then every row with one. Each page is one walk of
// the index from where the last one ended, however long the history.
inline constexpr const char* kHistoryFirstRows =
    "Select a.*,b.UserTrueName  from tbl_reminder a inner join tbl_user b on a.reuserid=b.keyid "
    "where a.reuserid=:p and ifdone=1 order by totaltime nulls first, a.keyid limit :n";
inline constexpr const char* kHistoryTiedRowsAfter =
    "Select a.*,b.UserTrueName  from tbl_reminder a inner join tbl_user b on a.reuserid=b.keyid "
    "where a.reuserid=:p and ifdone=1 and totaltime=:t and a.keyid>:k "
    "order by totaltime nulls first, a.keyid limit :n";
inline constexpr const char* kHistoryRowsAfterSortKey =
    "Select a.*,b.UserTrueName  from tbl_reminder a inner join tbl_user b on a.reuserid=b.keyid "
    "where a.reuserid=:p and ifdone=1 and totaltime>:t "
    "order by totaltime nulls first, a.keyid limit :n";
inline constexpr const char* kHistoryUnsortedRowsAfter =
    "Select a.*,b.UserTrueName  from tbl_reminder a inner join tbl_user b on a.reuserid=b.keyid "
    "where a.reuserid=:p and ifdone=1 and totaltime is null and a.keyid>:k "
    "order by totaltime nulls first, a.keyid limit :n";
inline constexpr const char* kHistorySortedRows =
    "Select a.*,b.UserTrueName  from tbl_reminder a inner join tbl_user b on a.reuserid=b.keyid "
    "where a.reuserid=:p and ifdone=1 and totaltime is not null "
    "order by totaltime nulls first, a.keyid limit :n";
// 15
inline constexpr const char* kPublishedList =
    "Select *  from tbl_reminder   where redouserid=:p and ifdone=0 order by redotime desc ";
// 16
inline constexpr const char* kSelectPublishedReminder =
    "Select * from tbl_reminder where ifdone=0 and redouserID=:p and keyid=:p1";
// 17
inline constexpr const char* kDeletePublishedReminder =
    "Delete from tbl_reminder where keyid=:p and ifdone=0";
// 18
inline constexpr const char* kDeleteReminder = "Delete from tbl_reminder where keyid=:p";
// 19
inline constexpr const char* kPollOrdinary = "Select top 1 * from tbl_reminder where ReUserID=:p "
                                             "and IfDone=0 and retype=0 order by totaltime   ";
// 20
inline constexpr const char* kPollBirthday = "Select top 1 * from tbl_reminder where ReUserID=:p "
                                             "and IfDone=0 and Retype=1 order by totaltime   ";
// 21
inline constexpr const char* kPollAppointment =
    "Select top 1 * from tbl_reminder where ReUserID=:p and IfDone=0 and Retype=2 order by "
    "totaltime   ";
// 22
inline constexpr const char* kPollAnniversary =
    "Select top 1 * from tbl_reminder where ReUserID=:p1 and IfDone=0 and Retype=3 order by "
    "totaltime   ";
// 23
inline constexpr const char* kPopupListOrdinary =
    "Select a.*,b.UserTrueName  from tbl_reminder a inner join tbl_user b on a.reuserid=b.keyid "
    "where a.reuserid=:p and ifdone=0 and Retype=0 order by totaltime ";
// 24 (the catalogue's one number for the three dated kinds' lists): Retype=1
inline constexpr const char* kPopupListBirthday =
    "Select a.*,b.UserTrueName  from tbl_reminder a inner join tbl_user b on a.reuserid=b.keyid "
    "where a.reuserid=:p and ifdone=0 and Retype=1 order by totaltime ";
// 24, Retype=2
inline constexpr const char* kPopupListAppointment =
    "Select a.*,b.UserTrueName  from tbl_reminder a inner join tbl_user b on a.reuserid=b.keyid "
    "where a.reuserid=:p and ifdone=0 and Retype=2 order by totaltime ";
// 24, Retype=3
inline constexpr const char* kPopupListAnniversary =
    "Select a.*,b.UserTrueName  from tbl_reminder a inner join tbl_user b on a.reuserid=b.keyid "
    "where a.reuserid=:p and ifdone=0 and Retype=3 order by totaltime ";
// 25
inline constexpr const char* kPostponeCustom =
    "Update tbl_reminder set ReBeginTime=:p4, ReIntervalNumber=:p1 "
    ",ReIntervalType=:p2,TotalTime=:p5 where keyid=:p3";
// 26
inline constexpr const char* kPostponeFixed = "Update tbl_reminder set ReIntervalNumber=:p1 "
                                              ",ReIntervalType=:p2,TotalTime=:p4  where keyid=:p3";
// 27
inline constexpr const char* kAcknowledge = "Update tbl_reminder set ifdone=1 where keyid=:p";

// The writes of a store of version 2 (StoreUpgrade), where a reminder carries its yearly
// repetition: 11 and 12 with ReRepeat as :p13 (NULL for none).
inline constexpr const char* kInsertRepeatingReminder =
    "insert into "
    "tbl_reminder(ReuserID,ReDetail,ReAction,ReBegintime,ReintervalNumber,ReintervalType,ReDoTime,"
    "RedouserID,Retype,IFdone,totaltime,ReRepeat) "
    "values(:p1,:P2,:p3,:p4,:p5,:p6,:p7,:p8,:p9,:p10,:p11,:p13)";
inline constexpr const char* kUpdateRepeatingReminder =
    "Update tbl_reminder set "
    "Reuserid=:p1,ReDetail=:p2,ReAction=:p3,ReBeginTime=:p4,ReintervalNumber=:p5,ReintervalType=:"
    "p6,ReDoTime=:p7,Redouserid=:p8,Retype=:p9,IfDone=:p10,TotalTime=:p11,ReRepeat=:p13 "
    "where Keyid=:p12";

// The program's own, beyond the catalogue.

// What a poll needs of the head of the user's (:p) pending reminders of one kind (:kind), read
// through the index on the head's starts so that no other row is read however many tie. Up to
// three rows, told apart by PollPart:
// 1 the first pending row by sort key (missing first), start and key: the head's earliest
//   start; Due 1 when its start text is below :due, Incomplete 1 when its sort key or start
//   is missing (the head is then read whole);
// 2 the head's last row by start and key;
// 3 the head's last row by start and key among those whose start text is below :due and whose
//   unit is one of :second, :minute, :hour, :day.
// Starts compare byte by byte, which is the order of the moment texts.
inline constexpr const char* kPollHeadEnds =
    "SELECT 1 AS PollPart, KeyID, ReBeginTime, ReIntervalNumber, ReIntervalType, "
    "CASE WHEN ReBeginTime COLLATE BINARY < :due THEN 1 ELSE 0 END AS Due, "
    "CASE WHEN TotalTime IS NULL OR ReBeginTime IS NULL THEN 1 ELSE 0 END AS Incomplete "
    "FROM (SELECT * FROM tbl_reminder WHERE ReUserID=:p AND IfDone=0 AND Retype=:kind "
    "ORDER BY TotalTime NULLS FIRST, ReBeginTime COLLATE BINARY NULLS FIRST, KeyID LIMIT 1) "
    "AS earliest "
    "UNION ALL "
    "SELECT 2, KeyID, ReBeginTime, ReIntervalNumber, ReIntervalType, 0, 0 "
    "FROM (SELECT * FROM tbl_reminder WHERE ReUserID=:p AND IfDone=0 AND Retype=:kind "
    "AND TotalTime=(SELECT TotalTime FROM tbl_reminder WHERE ReUserID=:p AND IfDone=0 "
    "AND Retype=:kind ORDER BY TotalTime NULLS FIRST LIMIT 1) "
    "ORDER BY ReBeginTime COLLATE BINARY DESC NULLS LAST, KeyID DESC LIMIT 1) AS latest "
    "UNION ALL "
    "SELECT 3, KeyID, ReBeginTime, ReIntervalNumber, ReIntervalType, 1, 0 "
    "FROM (SELECT * FROM tbl_reminder WHERE ReUserID=:p AND IfDone=0 AND Retype=:kind "
    "AND TotalTime=(SELECT TotalTime FROM tbl_reminder WHERE ReUserID=:p AND IfDone=0 "
    "AND Retype=:kind ORDER BY TotalTime NULLS FIRST LIMIT 1) "
    "AND ReBeginTime COLLATE BINARY < :due "
    "AND ReIntervalType IN (:second, :minute, :hour, :day) "
    "ORDER BY ReBeginTime COLLATE BINARY DESC NULLS LAST, KeyID DESC LIMIT 1) AS deciding";

} // namespace Statements
