/* QZ-Script grammar. A table-driven LALR(1) parser with default reductions:
   where a state's only action is a reduction, the node is built without
   reading another token, so the line a node carries depends on where the
   reduction happens. `===` and `!==` have no precedence on purpose: every
   conflict they take part in is resolved by shifting. */

%require "3.0"
%define api.pure full
%define api.prefix {qz}
%define api.token.prefix {TK_}
%token-table
%expect 98

%parse-param {tapwell::ParseSession& session}
%lex-param {tapwell::ParseSession& session}

%code requires {
#include <cstdint>
#include <string>
namespace tapwell {
class Node;
class BlockNode;
class ListNode;
class ParseSession;
}
}

%code {
#include "script/script_parser.h"

#include <array>

#define YYINITDEPTH 200
#define YYMAXDEPTH 10000

namespace {

int qzlex(QZSTYPE* value, tapwell::ParseSession& session) {
    tapwell::TokenValue token;
    const int code = session.lex(token);
    if (token.text)
        value->text = token.text;
    else
        value->integer = token.integer;
    return code;
}

void qzerror(tapwell::ParseSession& session, const char* message) {
    session.syntaxError(message);
}

using namespace tapwell;

Node* binary(ParseSession& s, std::uint32_t op, Node* left, Node* right) {
    return new BinaryNode(s.line(), op, left, right);
}

VarNode* variable(ParseSession& s, std::string* name) {
    std::unique_ptr<std::string> owned(name);
    return new VarNode(s.line(), std::move(*owned));
}

Node* assign(ParseSession& s, std::string* name, Node* value, std::uint32_t code) {
    VarNode* target = variable(s, name);
    return new AssignNode(s.line(), target, value, code);
}

Node* step(ParseSession& s, std::string* name, std::uint32_t code) {
    VarNode* target = variable(s, name);
    return new AssignNode(s.line(), target, new IntNode(s.line(), 1), code);
}

Node* call(ParseSession& s, std::string* name, ListNode* arguments) {
    std::unique_ptr<std::string> ownedName(name);
    std::unique_ptr<ListNode, NodeDeleter> list(arguments);
    return new FuncCallNode(s.line(), std::move(*ownedName), *list);
}

Node* callback(ParseSession& s, std::string* name, ListNode* arguments) {
    std::unique_ptr<std::string> ownedName(name);
    std::unique_ptr<ListNode, NodeDeleter> list(arguments);
    return new CBCallNode(s.line(), std::move(*ownedName), *list);
}

} // namespace
}

%union {
    std::int32_t integer;
    std::string* text;
    tapwell::Node* node;
    tapwell::BlockNode* block;
    tapwell::ListNode* list;
}

/* What a failed parse leaves on its stacks is released here. */
%destructor { delete $$; } <text>
%destructor { tapwell::destroyTree($$); } <node> <block> <list>

%token <integer> INTEGER
%token <text> IDENT STRIDENT STRING
%token IF ELSE WHILE LOOP FOR BREAK CONTINUE EXIT CB
%token ASSIGN ADD_ASSIGN SUB_ASSIGN MUL_ASSIGN DIV_ASSIGN MOD_ASSIGN
%token SHR_ASSIGN SHL_ASSIGN OR_ASSIGN XOR_ASSIGN AND_ASSIGN
%token INC DEC EQ NE SEQ SNE LE GE ANDAND OROR SHL SHR EOL

%right ASSIGN ADD_ASSIGN SUB_ASSIGN MUL_ASSIGN DIV_ASSIGN MOD_ASSIGN SHR_ASSIGN SHL_ASSIGN OR_ASSIGN XOR_ASSIGN AND_ASSIGN
%right '?' ':'
%left '|'
%left '^'
%left '&'
%left EQ NE
%left '<' '>' LE GE
%left SHL SHR
%left '+' '-'
%left '*' '/' '%'
%left OROR
%left ANDAND
%right '!'

%type <block> statements block
%type <node> statement else_part condition expression unary primary
%type <list> arguments argument_list

%start program

%%

program
    : statements                { session.accept($1); }
    ;

statements
    : statement                 { $$ = new BlockNode(session.line()); if ($1) $$->append($1); }
    | statements statement      { $$ = $1; if ($2) $$->append($2); }
    ;

block
    : '{' statements '}'        { $$ = $2; }
    | '{' '}'                   { $$ = new BlockNode(session.line()); }
    ;

statement
    : IF condition block else_part
                                { $$ = new IfNode(session.line(), $2, $3, $4); }
    | WHILE condition block     { $$ = new WhileNode(session.line(), $2, $3, false); }
    | LOOP block                { $$ = new WhileNode(session.line(), nullptr, $2, true); }
    | FOR '(' expression ',' condition ',' expression ')' block
                                { $$ = new ForNode(session.line(), $3, $5, $7, $9); }
    | BREAK EOL                 { $$ = new FlowNode(session.line(), node_code::Break); }
    | CONTINUE EOL              { $$ = new FlowNode(session.line(), node_code::Continue); }
    | EXIT condition EOL        { $$ = new ExitNode(session.line(), $2); }
    | EXIT EOL                  { $$ = new ExitNode(session.line(), nullptr); }
    | condition EOL             { $$ = $1; }
    | EOL                       { $$ = nullptr; }
    ;

else_part
    : %empty                    { $$ = nullptr; }
    | ELSE block                { $$ = $2; }
    | ELSE IF condition block else_part
                                { $$ = new IfNode(session.line(), $3, $4, $5); }
    ;

condition
    : condition ANDAND condition { $$ = binary(session, node_code::AndAnd, $1, $3); }
    | condition OROR condition  { $$ = binary(session, node_code::OrOr, $1, $3); }
    | '!' condition             { $$ = new UnaryNode(session.line(), node_code::LogicalNot, $2); }
    | expression                { $$ = $1; }
    ;

expression
    : expression '+' expression { $$ = binary(session, node_code::Add, $1, $3); }
    | expression '-' expression { $$ = binary(session, node_code::Sub, $1, $3); }
    | expression '*' expression { $$ = binary(session, node_code::Mul, $1, $3); }
    | expression '/' expression { $$ = binary(session, node_code::Div, $1, $3); }
    | expression '%' expression { $$ = binary(session, node_code::Mod, $1, $3); }
    | expression '|' expression { $$ = binary(session, node_code::Or, $1, $3); }
    | expression '&' expression { $$ = binary(session, node_code::And, $1, $3); }
    | expression '^' expression { $$ = binary(session, node_code::Xor, $1, $3); }
    | expression SHL expression { $$ = binary(session, node_code::Shl, $1, $3); }
    | expression SHR expression { $$ = binary(session, node_code::Shr, $1, $3); }
    | expression EQ expression  { $$ = binary(session, node_code::Eq, $1, $3); }
    | expression NE expression  { $$ = binary(session, node_code::Ne, $1, $3); }
    | expression SEQ expression { $$ = binary(session, node_code::StrictEq, $1, $3); }
    | expression SNE expression { $$ = binary(session, node_code::StrictNe, $1, $3); }
    | expression '<' expression { $$ = binary(session, node_code::Lt, $1, $3); }
    | expression '>' expression { $$ = binary(session, node_code::Gt, $1, $3); }
    | expression LE expression  { $$ = binary(session, node_code::Le, $1, $3); }
    | expression GE expression  { $$ = binary(session, node_code::Ge, $1, $3); }
    | IDENT ASSIGN expression   { $$ = assign(session, $1, $3, assign_code::Set); }
    | STRIDENT ASSIGN expression { $$ = assign(session, $1, $3, assign_code::SetString); }
    | IDENT ADD_ASSIGN expression { $$ = assign(session, $1, $3, assign_code::Add); }
    | STRIDENT ADD_ASSIGN expression { $$ = assign(session, $1, $3, assign_code::Append); }
    | IDENT SUB_ASSIGN expression { $$ = assign(session, $1, $3, assign_code::Sub); }
    | IDENT MUL_ASSIGN expression { $$ = assign(session, $1, $3, assign_code::Mul); }
    | IDENT DIV_ASSIGN expression { $$ = assign(session, $1, $3, assign_code::Div); }
    | IDENT MOD_ASSIGN expression { $$ = assign(session, $1, $3, assign_code::Mod); }
    | IDENT SHR_ASSIGN expression { $$ = assign(session, $1, $3, assign_code::Shr); }
    | IDENT SHL_ASSIGN expression { $$ = assign(session, $1, $3, assign_code::Shl); }
    | IDENT OR_ASSIGN expression { $$ = assign(session, $1, $3, assign_code::Or); }
    | IDENT XOR_ASSIGN expression { $$ = assign(session, $1, $3, assign_code::Xor); }
    | IDENT AND_ASSIGN expression { $$ = assign(session, $1, $3, assign_code::And); }
    | INC IDENT                 { $$ = step(session, $2, assign_code::Add); }
    | DEC IDENT                 { $$ = step(session, $2, assign_code::Sub); }
    | IDENT INC                 { $$ = step(session, $1, assign_code::PostInc); }
    | IDENT DEC                 { $$ = step(session, $1, assign_code::PostDec); }
    | expression '?' expression ':' expression
                                { $$ = new CondNode(session.line(), $1, $3, $5); }
    | unary                     { $$ = $1; }
    ;

unary
    : '-' unary                 { $$ = new UnaryNode(session.line(), node_code::Sub, $2); }
    | '~' unary                 { $$ = new UnaryNode(session.line(), node_code::Not, $2); }
    | primary                   { $$ = $1; }
    ;

primary
    : INTEGER                   { $$ = new IntNode(session.line(), $1); }
    | IDENT                     { $$ = variable(session, $1); }
    | STRIDENT                  { $$ = variable(session, $1); }
    | STRING                    { std::unique_ptr<std::string> s($1); $$ = new StringNode(session.line(), std::move(*s)); }
    | '(' condition ')'         { $$ = $2; }
    | IDENT '(' arguments ')'   { $$ = call(session, $1, $3); }
    | STRIDENT '(' arguments ')' { $$ = call(session, $1, $3); }
    | CB '.' IDENT '(' arguments ')' { $$ = callback(session, $3, $5); }
    | CB '.' STRIDENT '(' arguments ')' { $$ = callback(session, $3, $5); }
    ;

arguments
    : %empty                    { $$ = new ListNode(session.line()); }
    | argument_list             { $$ = $1; }
    ;

argument_list
    : expression                { $$ = new ListNode(session.line()); $$->append($1); }
    | argument_list ',' expression { $$ = $1; $$->append($3); }
    ;

%%

namespace tapwell {

void ParseSession::syntaxError(const char* bisonMessage) {
    errorLine_ = line();
    // Bison calls stack exhaustion "memory exhausted"; everything else it
    // reports here is a plain syntax error.
    message_ = std::string_view(bisonMessage) == "memory exhausted" ? "parser stack overflow"
                                                                    : "parse error";
}

ParseOutcome ParseSession::finish(int result) {
    ParseOutcome outcome;
    outcome.result = result;
    if (result == kParseAccepted)
        outcome.root = std::move(root_);
    outcome.errorLine = errorLine_;
    outcome.message = std::move(message_);
    return outcome;
}

ParseOutcome parseScript(std::string_view text, std::size_t longest) {
    if (text.size() > longest) {
        ParseOutcome refused;
        refused.result = kParseSyntaxError;
        refused.errorLine = 1;
        refused.message = "script too long";
        return refused;
    }
    ParseSession session(text);
    const int result = qzparse(session);
    return session.finish(result);
}

const char* tokenName(int code) {
    static const std::array<std::string, 256> singles = [] {
        std::array<std::string, 256> names;
        for (int c = 0; c < 256; ++c)
            names[c] = std::string("'") + static_cast<char>(c) + "'";
        return names;
    }();
    if (code <= 0)
        return "end of input";
    if (code < 256)
        return singles[code].c_str();
    return yytname[YYTRANSLATE(code)];
}

} // namespace tapwell
