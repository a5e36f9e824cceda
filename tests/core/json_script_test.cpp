#include <gtest/gtest.h>

#include "core/json_script.h"
#include "core/state.h"
#include "platform/dialogs.h"

using orv::dialogs::Icon;
using orv::dialogs::Kind;

namespace {

TEST(JsonScript, Outputs) {
  const struct {
    QString script, output;
  } cases[] = {
      {"['Hello ', {'get':{'name':'x','default':'world'}}]", "Hello world"},
      {"[{'set':{'name':'x','value':'A'}}, {'get':{'name':'x'}}]", "A"},
      {"[{'set':{'name':'x','value':''}}, {'get':{'name':'x','default':'d'}}]", "d"},
      {"[{'set':{'name':'X','value':'up'}}, {'get':{'name':'x','default':'-'}}]", "-"},
      {"[{'if':{'value1':'10','value2':'9','type':'gt','true':'yes','false':'no'}}]", "no"},
      {"[{'if':{'value1':'Abc','value2':'aBC','type':'EQ','true':'yes','false':'no'}}]", "yes"},
      {"[{'if':{'value1':'a','value2':'b','type':'lt','true':'yes','false':'no'}}]", "yes"},
      {"[{'if':{'value1':'b','value2':'b','type':'gte','true':'yes','false':'no'}}]", "yes"},
      {"[{'if':{'value1':'b','value2':'b','type':'lte','true':'yes','false':'no'}}]", "yes"},
      {"[{'if':{'value1':'a','value2':'A','type':'gt','true':'yes','false':'no'}}]", "yes"},
      {"[{'if':{'value1':'a','value2':'a','type':'ne','true':'yes','false':'no'}}]", "no"},
      {"[{'if':{'value1':'a','value2':'a','type':'eq','false':'no'}}]", ""},
      {"[{'switch':{'case':'B','default':'none','items':[{'case':'a','return':'1'},"
       "{'case':'b','return':'2'}]}}]",
       "2"},
      {"[{'switch':{'case':'z','default':'none','items':[{'case':'a','return':'1'}]}}]", "none"},
      {"[{'switch':{'case':'z'}}]", ""},
      {"[{'print':{'a':'1','b':'2'}}]", "<%PRINT(1,2)%>"},
      {"[{'print':'x'}]", "<%PRINT(x)%>"},
      {"[{'Print':[1,2]}]", "<%PRINT()%>"},
      {"[{'cut':{'n':3.50,'b':true,'z':null}}]", "<%CUT(3.5,true,null)%>"},
      {"[{'return':'r'}, {'RETURN':'R'}]", "rR"},
      {"[null, 'a']", "nulla"},
      {"[[ 'a', ['b', 1.25, false] ]]", "ab1.25false"},
      // Parameters are evaluated: a nested command gives its output.
      {"[{'set':{'name':'n','value':{'return':'v'}}}, {'get':{'name':{'return':'n'}}}]", "v"},
      {"[{'if':{'value1':{'get':{'name':'q','default':'1'}},'value2':'1','type':'eq',"
       "'true':{'print':'t'},'false':'f'}}]",
       "<%PRINT(t)%>"},
      // Several commands in one object run in order.
      {"[{'return':'a','print':'b'}]", "a<%PRINT(b)%>"},
      {"{'return':'lone object'}", "lone object"},
      {"[]", ""},
  };
  for (const auto &c : cases) {
    cJSONScript s;
    EXPECT_EQ(s.Eval(c.script).toStdString(), c.output.toStdString()) << c.script.toStdString();
  }
}

TEST(JsonScript, VariablesLiveAsLongAsTheInstance) {
  cJSONScript s;
  EXPECT_EQ(s.Eval("[{'set':{'name':'x','value':'A'}}]"), "");
  EXPECT_EQ(s.Eval("[{'get':{'name':'x'}}]"), "A");
  EXPECT_EQ(s.Eval("[{'set':{'name':'x','value':'B'}}, {'get':{'name':'x'}}]"), "B");
  EXPECT_EQ(cJSONScript().Eval("[{'get':{'name':'x'}}]"), "");
}

TEST(JsonScript, NestingIsLimitedToForty) {
  cJSONScript s;
  // Each bracket is one running evaluation: the text inside n brackets is entered while
  // n are running.
  const auto nested = [](int n) {
    return JsonParse(QString(n, '[') + "'x'" + QString(n, ']'));
  };
  EXPECT_EQ(s.ExecCommand(nested(40)), "x");
  EXPECT_EQ(s.ExecCommand(nested(41)), "ERROR: Nesting level exceeded.");
  EXPECT_EQ(s.ExecCommand(nested(2)), "x");  // the counter is back at 0
}

TEST(JsonScript, BoxesAndInput) {
  cJSONScript s;
  orv::dialogs::Script dlg;
  dlg.Input("typed").InputCancel();
  EXPECT_EQ(s.Eval("[{'alert':{'message':'M','title':{'return':'T'}}}, "
                   "{'input':{'prompt':'P','title':'T2','default':'D'}}, '|', "
                   "{'input':{'prompt':'again'}}]"),
            "typed|");
  ASSERT_EQ(dlg.Log().size(), 3);
  EXPECT_EQ(dlg.Log()[0].kind, Kind::MessageBox);
  EXPECT_EQ(dlg.Log()[0].icon, Icon::Information);
  EXPECT_EQ(dlg.Log()[0].text, "M");
  EXPECT_EQ(dlg.Log()[0].title, "T");
  EXPECT_EQ(dlg.Log()[1].kind, Kind::InputBox);
  EXPECT_EQ(dlg.Log()[1].text, "P");
  EXPECT_EQ(dlg.Log()[1].title, "T2");
  EXPECT_EQ(dlg.Log()[1].defaultText, "D");
  EXPECT_EQ(dlg.Log()[2].text, "again");
}

TEST(JsonScript, ParseErrorsShowABoxAndRunNothing) {
  const struct {
    QString script, message;
  } cases[] = {
      {"x", "Invalid JSON"},
      {"[{'alert':{'message':'never'}}, 1,", "Missing ']': " +
                                                 QString("[{'alert':{'message':'never'}}, 1,")
                                                     .right(20) +
                                                 "\r\n"},
  };
  for (const auto &c : cases) {
    cJSONScript s;
    orv::dialogs::Script dlg;
    EXPECT_EQ(s.Eval(c.script), "");
    ASSERT_EQ(dlg.Log().size(), 1);
    EXPECT_EQ(dlg.Log()[0].icon, Icon::Exclamation);
    EXPECT_EQ(dlg.Log()[0].title, "Parser Error");
    EXPECT_EQ(dlg.Log()[0].text.toStdString(), c.message.toStdString());
  }
}

TEST(JsonScript, MalformedCommandsReachTheCaller) {
  const QString scripts[] = {
      "[{'alert':'just a text'}]", "[{'get':'x'}]",     "[{'if':[1]}]",
      "[{'print':5}]",             "[{'return':true}]", "[1]",
      "[false]",                   "['ok', {'set':null}]",
  };
  cJSONScript s;
  for (const auto &script : scripts)
    EXPECT_THROW(s.Eval(script), JsonScriptError) << script.toStdString();
  // The instance stays usable: its nesting count came back down.
  EXPECT_EQ(s.ExecCommand(JsonParse(QString(40, '[') + "'x'" + QString(40, ']'))), "x");
}

}  // namespace
