#include "store/ServerSchema.h"

#include "store/DirectStatements.h"
#include "store/Passwords.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <vector>

namespace {

// Every function fixes its search path, so that nobody can put a table or function of his own
// in front of the store's; pg_temp comes last, as it otherwise would come first.
const char* const kSecurity[] = {
    // Login names fold to lower case in ASCII only, as the program does.
    "CREATE FUNCTION public.qx_fold(name text) RETURNS text LANGUAGE sql IMMUTABLE STRICT "
    "SET search_path = pg_catalog, pg_temp AS $$ "
    "SELECT translate(name, 'ABCDEFGHIJKLMNOPQRSTUVWXYZ', 'abcdefghijklmnopqrstuvwxyz') $$",
    "CREATE FUNCTION public.qx_role_of(login text) RETURNS text LANGUAGE sql STABLE STRICT "
    "SET search_path = pg_catalog, pg_temp AS $$ "
    "SELECT current_database() || '.' || public.qx_fold(login) $$",
    "CREATE INDEX ix_user_role ON public.tbl_user (public.qx_fold(UserLogName::text))",
    // The account of the session's login role. session_user, not current_user: inside the
    // owner's functions current_user is the owner.
    "CREATE FUNCTION public.qx_me() RETURNS integer LANGUAGE sql STABLE SECURITY DEFINER "
    "SET search_path = pg_catalog, pg_temp AS $$ "
    "SELECT KeyID FROM public.tbl_user "
    "WHERE public.qx_fold(UserLogName::text) = "
    "substr(session_user::text, length(current_database()) + 2) "
    "AND left(session_user::text, length(current_database()) + 1) = current_database() || '.' "
    "ORDER BY KeyID LIMIT 1 $$",
    "CREATE FUNCTION public.qx_is_admin() RETURNS boolean LANGUAGE sql STABLE SECURITY DEFINER "
    "SET search_path = pg_catalog, pg_temp AS $$ "
    "SELECT coalesce((SELECT IfAdmin = 1 FROM public.tbl_user WHERE KeyID = public.qx_me()), "
    "false) $$",
    // Read at every statement, so that a right taken away stops the next write of a copy that
    // is still logged in. Positions: 1 accounts, 2 rights strings, 3 add, 4 edit, 5 withdraw,
    // 6 quick publish, 7 birthday, 8 appointment, 9 anniversary.
    "CREATE FUNCTION public.qx_has_right(place integer) RETURNS boolean LANGUAGE sql STABLE "
    "SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$ "
    "SELECT public.qx_is_admin() OR coalesce((SELECT substr(UserPopdem::text, place, 1) = '1' "
    "FROM public.tbl_popdem WHERE UserId = public.qx_me() ORDER BY KeyID LIMIT 1), false) $$",
    "CREATE FUNCTION public.qx_may_publish(kind integer) RETURNS boolean LANGUAGE sql STABLE "
    "SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$ "
    "SELECT CASE kind WHEN 0 THEN public.qx_has_right(3) OR public.qx_has_right(6) "
    "WHEN 1 THEN public.qx_has_right(7) WHEN 2 THEN public.qx_has_right(8) "
    "WHEN 3 THEN public.qx_has_right(9) ELSE false END $$",

    // Whether a role is an account of this store: a direct member of its member group that is
    // no superuser. Nothing else is ever altered or dropped.
    "CREATE FUNCTION public.qx_is_account_role(role text) RETURNS boolean LANGUAGE sql STABLE "
    "SET search_path = pg_catalog, pg_temp AS $$ "
    "SELECT EXISTS (SELECT 1 FROM pg_roles r JOIN pg_auth_members m ON m.member = r.oid "
    "JOIN pg_roles g ON g.oid = m.roleid "
    "WHERE r.rolname = role AND NOT r.rolsuper AND g.rolname = current_database() || ':member') $$",
    "CREATE FUNCTION public.qx_create_role(login text, verifier text, administrator boolean) "
    "RETURNS void LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$ "
    "DECLARE role text := public.qx_role_of(login); "
    "BEGIN "
    // PostgreSQL would silently cut a longer name.
    "IF octet_length(role) > 63 THEN "
    "RAISE EXCEPTION 'role name % is longer than 63 bytes', role USING ERRCODE = '42622'; "
    "END IF; "
    "IF verifier LIKE 'SCRAM-SHA-256$%' THEN "
    "EXECUTE format('CREATE ROLE %I LOGIN PASSWORD %L IN ROLE %I', role, verifier, "
    "current_database() || ':member'); "
    // Without a verifier the role exists but cannot log in until a password is set.
    "ELSE EXECUTE format('CREATE ROLE %I LOGIN IN ROLE %I', role, current_database() || ':member'); "
    "END IF; "
    "IF administrator THEN "
    "EXECUTE format('GRANT %I TO %I', current_database() || ':admin', role); "
    "END IF; "
    "END $$",
    "CREATE FUNCTION public.qx_drop_role(login text) RETURNS void LANGUAGE plpgsql "
    "SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$ "
    "DECLARE role text := public.qx_role_of(login); "
    "BEGIN "
    "IF public.qx_is_account_role(role) THEN EXECUTE format('DROP ROLE %I', role); END IF; "
    "END $$",
    "CREATE FUNCTION public.qx_set_role_password(login text, verifier text) RETURNS void "
    "LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$ "
    "DECLARE role text := public.qx_role_of(login); "
    "BEGIN "
    "IF NOT public.qx_is_account_role(role) THEN "
    "RAISE EXCEPTION 'role % is not an account of this store', role "
    "USING ERRCODE = '42501'; END IF; "
    "IF verifier IS NULL OR verifier NOT LIKE 'SCRAM-SHA-256$%' THEN "
    "RAISE EXCEPTION 'a password is stored as its verifier' USING ERRCODE = '22023'; END IF; "
    "EXECUTE format('ALTER ROLE %I PASSWORD %L', role, verifier); "
    "END $$",

    // Accounts: created and deleted with their roles; a password changes with its role's.
    "CREATE FUNCTION public.qx_account_written() RETURNS trigger LANGUAGE plpgsql "
    "SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$ "
    "BEGIN "
    "IF TG_OP = 'INSERT' THEN "
    "IF NEW.IfAdmin = 1 AND NOT public.qx_is_admin() "
    "AND NOT (SELECT rolsuper OR rolbypassrls FROM pg_roles WHERE rolname = session_user) THEN "
    "RAISE EXCEPTION 'only an administrator makes another' USING ERRCODE = '42501'; END IF; "
    "PERFORM public.qx_create_role(NEW.UserLogName::text, NEW.UserPwd::text, NEW.IfAdmin = 1); "
    "RETURN NEW; "
    "ELSIF TG_OP = 'DELETE' THEN "
    "IF OLD.IfAdmin = 1 AND (SELECT count(*) FROM public.tbl_user WHERE IfAdmin = 1) <= 1 THEN "
    "RAISE EXCEPTION 'the last administrator stays' USING ERRCODE = '42501'; END IF; "
    "PERFORM public.qx_drop_role(OLD.UserLogName::text); "
    "RETURN OLD; "
    "END IF; "
    "IF (NEW.KeyID, NEW.UserLogName, NEW.UserTrueName, NEW.Remarks, NEW.IfAdmin) IS DISTINCT FROM "
    "(OLD.KeyID, OLD.UserLogName, OLD.UserTrueName, OLD.Remarks, OLD.IfAdmin) THEN "
    "RAISE EXCEPTION 'only the password of an account changes' USING ERRCODE = '42501'; END IF; "
    "IF NEW.UserPwd IS DISTINCT FROM OLD.UserPwd THEN "
    "PERFORM public.qx_set_role_password(NEW.UserLogName::text, NEW.UserPwd::text); END IF; "
    "RETURN NEW; "
    "END $$",
    "CREATE TRIGGER tr_account_written BEFORE INSERT OR UPDATE OR DELETE ON public.tbl_user "
    "FOR EACH ROW EXECUTE FUNCTION public.qx_account_written()",

    // A recipient acknowledges and postpones: the done flag (only to done), the start, the
    // interval and the sort key. Everything else of a row is its publisher's, with the edit right.
    "CREATE FUNCTION public.qx_reminder_changed() RETURNS trigger LANGUAGE plpgsql "
    "SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$ "
    "DECLARE me integer := public.qx_me(); "
    "BEGIN "
    "IF me IS NOT NULL AND NOT (coalesce(OLD.RedouserID = me AND NEW.RedouserID = me, false) "
    "AND public.qx_has_right(4)) THEN "
    "IF (to_jsonb(NEW) - ARRAY['ifdone', 'rebegintime', 'reintervalnumber', 'reintervaltype', "
    "'totaltime']) IS DISTINCT FROM (to_jsonb(OLD) - ARRAY['ifdone', 'rebegintime', "
    "'reintervalnumber', 'reintervaltype', 'totaltime']) "
    "OR (NEW.IfDone IS DISTINCT FROM OLD.IfDone AND NEW.IfDone IS DISTINCT FROM 1) THEN "
    "RAISE EXCEPTION 'a recipient only acknowledges and postpones' USING ERRCODE = '42501'; "
    "END IF; "
    "END IF; "
    "RETURN NEW; "
    "END $$",
    "CREATE TRIGGER tr_reminder_changed BEFORE UPDATE ON public.tbl_reminder "
    "FOR EACH ROW EXECUTE FUNCTION public.qx_reminder_changed()",

    // A yearly reminder acknowledged: it becomes history and its next occurrence is written,
    // still in the publisher's name, which the recipient may not do himself.
    "CREATE FUNCTION public.qx_roll_over(row_key bigint, next_start text, next_sort_key bigint) "
    "RETURNS boolean LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$ "
    "DECLARE r public.tbl_reminder%ROWTYPE; "
    "BEGIN "
    "SELECT * INTO r FROM public.tbl_reminder WHERE KeyID = row_key AND IfDone = 0 "
    "AND (ReUserID = public.qx_me() OR (SELECT rolsuper OR rolbypassrls FROM pg_roles "
    "WHERE rolname = session_user)) FOR UPDATE; "
    "IF NOT FOUND THEN RETURN false; END IF; "
    "UPDATE public.tbl_reminder SET IfDone = 1 WHERE KeyID = row_key; "
    "INSERT INTO public.tbl_reminder(ReUserID, ReDetail, ReAction, ReBeginTime, "
    "ReIntervalNumber, ReIntervalType, ReDoTime, RedouserID, Retype, IfDone, TotalTime, ReRepeat) "
    "VALUES (r.ReUserID, r.ReDetail, 1, next_start, r.ReIntervalNumber, r.ReIntervalType, "
    "r.ReDoTime, r.RedouserID, r.Retype, 0, next_sort_key, r.ReRepeat); "
    "RETURN true; "
    "END $$",

    // Change counters: a write counts for the people whose lists show the row, so that a copy
    // reloads only when something of its own user changed; row 0 counts the names everybody's
    // lists show.
    "CREATE FUNCTION public.qx_count_reminder_change() RETURNS trigger LANGUAGE plpgsql "
    "SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$ "
    "BEGIN "
    "INSERT INTO public.tbl_change AS c (UserID, Counter) "
    "SELECT DISTINCT person, 1 FROM unnest(ARRAY["
    "CASE WHEN TG_OP <> 'DELETE' THEN NEW.ReUserID END, "
    "CASE WHEN TG_OP <> 'DELETE' THEN NEW.RedouserID END, "
    "CASE WHEN TG_OP <> 'INSERT' THEN OLD.ReUserID END, "
    "CASE WHEN TG_OP <> 'INSERT' THEN OLD.RedouserID END]) AS person "
    "WHERE person IS NOT NULL ORDER BY person "
    "ON CONFLICT (UserID) DO UPDATE SET Counter = c.Counter + 1; "
    "RETURN NULL; "
    "END $$",
    "CREATE TRIGGER tr_reminder_counted AFTER INSERT OR UPDATE OR DELETE ON public.tbl_reminder "
    "FOR EACH ROW EXECUTE FUNCTION public.qx_count_reminder_change()",
    "CREATE FUNCTION public.qx_count_names_change() RETURNS trigger LANGUAGE plpgsql "
    "SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$ "
    "BEGIN "
    "INSERT INTO public.tbl_change AS c (UserID, Counter) VALUES (0, 1) "
    "ON CONFLICT (UserID) DO UPDATE SET Counter = c.Counter + 1; "
    "RETURN NULL; "
    "END $$",
    "CREATE TRIGGER tr_names_counted AFTER INSERT OR DELETE OR UPDATE ON public.tbl_user "
    "FOR EACH STATEMENT EXECUTE FUNCTION public.qx_count_names_change()",

    // Nothing of the owner's is anybody's by default.
    "REVOKE ALL ON FUNCTION public.qx_fold(text), public.qx_role_of(text), public.qx_me(), "
    "public.qx_is_admin(), public.qx_has_right(integer), public.qx_may_publish(integer), "
    "public.qx_is_account_role(text), public.qx_create_role(text, text, boolean), "
    "public.qx_drop_role(text), public.qx_set_role_password(text, text), "
    "public.qx_account_written(), public.qx_reminder_changed(), "
    "public.qx_count_reminder_change(), public.qx_count_names_change(), "
    "public.qx_roll_over(bigint, text, bigint) FROM PUBLIC",
    "REVOKE ALL ON public.tbl_user, public.tbl_reminder, public.tbl_popdem, public.tbl_version, "
    "public.tbl_change FROM PUBLIC",

    "ALTER TABLE public.tbl_user ENABLE ROW LEVEL SECURITY",
    "ALTER TABLE public.tbl_reminder ENABLE ROW LEVEL SECURITY",
    "ALTER TABLE public.tbl_popdem ENABLE ROW LEVEL SECURITY",
    "ALTER TABLE public.tbl_change ENABLE ROW LEVEL SECURITY",
};

// The policies and grants name the store's groups.
const char* const kGrants[] = {
    "GRANT EXECUTE ON FUNCTION public.qx_fold(text), public.qx_role_of(text), public.qx_me(), "
    "public.qx_is_admin(), public.qx_has_right(integer), public.qx_may_publish(integer), "
    "public.qx_roll_over(bigint, text, bigint) TO %member%",
    // Names, never passwords: no column of a verifier is readable.
    "GRANT SELECT (KeyID, UserLogName, UserTrueName, Remarks, IfAdmin) ON public.tbl_user TO "
    "%member%",
    "GRANT INSERT (UserLogName, UserTrueName, UserPwd, Remarks, IfAdmin), DELETE, UPDATE (UserPwd) "
    "ON public.tbl_user TO %member%",
    "GRANT SELECT, INSERT, UPDATE, DELETE ON public.tbl_reminder TO %member%",
    "GRANT SELECT, INSERT, UPDATE ON public.tbl_popdem TO %member%",
    "GRANT SELECT ON public.tbl_version, public.tbl_change TO %member%",
    "GRANT USAGE ON ALL SEQUENCES IN SCHEMA public TO %member%",

    "CREATE POLICY user_read ON public.tbl_user FOR SELECT TO %member% USING (true)",
    "CREATE POLICY user_create ON public.tbl_user FOR INSERT TO %member% "
    "WITH CHECK (public.qx_has_right(1))",
    "CREATE POLICY user_delete ON public.tbl_user FOR DELETE TO %member% "
    "USING (public.qx_has_right(1))",
    "CREATE POLICY user_own_password ON public.tbl_user FOR UPDATE TO %member% "
    "USING (KeyID = (SELECT public.qx_me())) WITH CHECK (KeyID = (SELECT public.qx_me()))",

    "CREATE POLICY reminder_read ON public.tbl_reminder FOR SELECT TO %member% "
    "USING (ReUserID = (SELECT public.qx_me()) OR RedouserID = (SELECT public.qx_me()))",
    "CREATE POLICY reminder_publish ON public.tbl_reminder FOR INSERT TO %member% "
    "WITH CHECK (RedouserID = (SELECT public.qx_me()) AND public.qx_may_publish(Retype))",
    "CREATE POLICY reminder_change ON public.tbl_reminder FOR UPDATE TO %member% "
    "USING (ReUserID = (SELECT public.qx_me()) "
    "OR (RedouserID = (SELECT public.qx_me()) AND public.qx_has_right(4))) "
    "WITH CHECK (ReUserID = (SELECT public.qx_me()) "
    "OR (RedouserID = (SELECT public.qx_me()) AND public.qx_has_right(4)))",
    "CREATE POLICY reminder_remove ON public.tbl_reminder FOR DELETE TO %member% "
    "USING ((RedouserID = (SELECT public.qx_me()) AND IfDone = 0 AND public.qx_has_right(5)) "
    "OR (ReUserID = (SELECT public.qx_me()) AND IfDone = 1))",

    "CREATE POLICY rights_read ON public.tbl_popdem FOR SELECT TO %member% "
    "USING (UserId = (SELECT public.qx_me()) OR public.qx_has_right(2))",
    "CREATE POLICY rights_write ON public.tbl_popdem FOR INSERT TO %member% "
    "WITH CHECK (public.qx_has_right(2))",
    "CREATE POLICY rights_change ON public.tbl_popdem FOR UPDATE TO %member% "
    "USING (public.qx_has_right(2)) WITH CHECK (public.qx_has_right(2))",

    "CREATE POLICY change_read ON public.tbl_change FOR SELECT TO %member% "
    "USING (UserID = 0 OR UserID = (SELECT public.qx_me()))",
};

} // namespace

ServerSchema::Groups ServerSchema::groupsOf(const QString& database) {
    return {database + QStringLiteral(":owner"), database + QStringLiteral(":member"),
            database + QStringLiteral(":admin")};
}

QString ServerSchema::quoted(const QString& identifier) {
    QString inner = identifier;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QString ServerSchema::literal(const QString& text) {
    QString inner = text;
    inner.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + inner + QLatin1Char('\'');
}

QStringList ServerSchema::owner(const QString& database) {
    const QString owner = quoted(groupsOf(database).owner);
    return {
        QStringLiteral("CREATE ROLE %1 NOLOGIN CREATEROLE").arg(owner),
        QStringLiteral("GRANT %1 TO CURRENT_USER").arg(owner),
        QStringLiteral("GRANT USAGE, CREATE ON SCHEMA public TO %1").arg(owner),
        QStringLiteral("GRANT CONNECT, TEMPORARY ON DATABASE %1 TO %2")
            .arg(quoted(database), owner),
    };
}

QStringList ServerSchema::actAsOwner(const QString& database) {
    const Groups groups = groupsOf(database);
    return {
        QStringLiteral("SET ROLE %1").arg(quoted(groups.owner)),
        QStringLiteral("CREATE ROLE %1 NOLOGIN").arg(quoted(groups.member)),
        QStringLiteral("CREATE ROLE %1 NOLOGIN IN ROLE %2")
            .arg(quoted(groups.admin), quoted(groups.member)),
    };
}

QStringList ServerSchema::serverTables() {
    return {
        QStringLiteral("CREATE TABLE public.tbl_change (UserID integer PRIMARY KEY, "
                       "Counter bigint NOT NULL DEFAULT 0)"),
    };
}

void ServerSchema::secure(const QSqlDatabase& db, const QString& database) {
    struct Account {
        qint64 key;
        QString login;
        QString password;
        bool administrator;
    };
    std::vector<Account> accounts;
    {
        QSqlQuery read(db);
        DirectStatements::exec(read, QStringLiteral("SELECT KeyID, UserLogName, UserPwd, IfAdmin "
                                                    "FROM tbl_user ORDER BY KeyID"));
        while (read.next())
            accounts.push_back({read.value(0).toLongLong(), read.value(1).toString(),
                                read.value(2).toString(), read.value(3).toInt() == 1});
    }
    // Before the triggers exist: a plain password of an older store becomes its verifier.
    for (Account& account : accounts) {
        if (!account.password.isEmpty() && !Passwords::isVerifier(account.password)) {
            account.password = Passwords::makeVerifier(Passwords::normalised(account.password));
            DirectStatements::exec(db,
                                   QStringLiteral("UPDATE tbl_user SET UserPwd = ? WHERE KeyID = ?"),
                                   {account.password, account.key});
        }
    }
    for (const QString& statement : security(database))
        DirectStatements::exec(db, statement);
    for (const Account& account : accounts)
        DirectStatements::exec(
            db, createAccountRole(account.login, account.password, account.administrator));
    DirectStatements::exec(db, startChangeCounters());
    for (const QString& statement : handBack(database))
        DirectStatements::exec(db, statement);
}

QStringList ServerSchema::security(const QString& database) {
    const QString member = quoted(groupsOf(database).member);
    QStringList statements;
    for (const char* statement : kSecurity)
        statements << QString::fromLatin1(statement);
    for (const char* statement : kGrants)
        statements << QString::fromLatin1(statement).replace(QStringLiteral("%member%"), member);
    return statements;
}

QStringList ServerSchema::handBack(const QString& database) {
    return {QStringLiteral("RESET ROLE"),
            QStringLiteral("REVOKE %1 FROM CURRENT_USER").arg(quoted(groupsOf(database).owner))};
}

QString ServerSchema::createAccountRole(const QString& loginName, const QString& verifier,
                                        bool administrator) {
    return QStringLiteral("SELECT public.qx_create_role(%1, %2, %3)")
        .arg(literal(loginName), literal(verifier),
             administrator ? QStringLiteral("true") : QStringLiteral("false"));
}

QString ServerSchema::startChangeCounters() {
    return QStringLiteral(
        "INSERT INTO public.tbl_change(UserID, Counter) SELECT KeyID, 1 FROM public.tbl_user "
        "UNION ALL SELECT 0, 1");
}
