{ Prints how Free Pascal's TStringList builds and parses comma text (and delimited text and
  Text), as the golden file commatext_golden.txt that the toolkit's string list tests read.

  Build and run:  fpc -Mobjfpc commatext_golden.pas && ./commatext_golden > ../data/commatext_golden.txt

  Records (one per line; strings escaped: bytes below 32, 127 and above, and "\" as \xHH):
    M <delimiter> <quote> <strict>   Delimiter, QuoteChar and StrictDelimiter (0/1) of the lists of
                                     the following records (escaped characters)
    L <n>                            a list of n items follows as n "I" lines, then
    C <text>                           its CommaText, or
    G <text>                           its DelimitedText in the current mode
    P <text>                         CommaText := text; the items follow as "N <n>" and n "I" lines
    Q <text>                         DelimitedText := text in the current mode; items as for P
    T <text>                         Text := text; items as for P, then "X <text>": Text read back }
program commatext_golden;

{$mode objfpc}{$H+}

uses Classes, SysUtils;

function Esc(const s: string): string;
var
  i: Integer;
begin
  Result := '';
  for i := 1 to Length(s) do
    if (Ord(s[i]) < 32) or (Ord(s[i]) >= 127) or (s[i] = '\') then
      Result := Result + '\x' + IntToHex(Ord(s[i]), 2)
    else
      Result := Result + s[i];
end;

procedure PrintItems(list: TStringList);
var
  i: Integer;
begin
  WriteLn('N ', list.Count);
  for i := 0 to list.Count - 1 do WriteLn('I ', Esc(list[i]));
end;

procedure GetCase(const items: array of string; delimited: Boolean; delim, quote: Char; strict: Boolean);
var
  list: TStringList;
  i: Integer;
begin
  list := TStringList.Create;
  try
    list.Delimiter := delim;
    list.QuoteChar := quote;
    list.StrictDelimiter := strict;
    for i := 0 to High(items) do list.Add(items[i]);
    WriteLn('L ', list.Count);
    for i := 0 to list.Count - 1 do WriteLn('I ', Esc(list[i]));
    if delimited then WriteLn('G ', Esc(list.DelimitedText))
    else WriteLn('C ', Esc(list.CommaText));
  finally
    list.Free;
  end;
end;

procedure ParseCase(const text: string; delimited: Boolean; delim, quote: Char; strict: Boolean);
var
  list: TStringList;
begin
  list := TStringList.Create;
  try
    list.Delimiter := delim;
    list.QuoteChar := quote;
    list.StrictDelimiter := strict;
    if delimited then begin
      WriteLn('Q ', Esc(text));
      list.DelimitedText := text;
    end else begin
      WriteLn('P ', Esc(text));
      list.CommaText := text;
    end;
    PrintItems(list);
  finally
    list.Free;
  end;
end;

procedure TextCase(const text: string);
var
  list: TStringList;
begin
  list := TStringList.Create;
  try
    WriteLn('T ', Esc(text));
    list.Text := text;
    PrintItems(list);
    // Lines end in the platform's LineEnding; the golden file records the Windows form.
    WriteLn('X ', Esc(StringReplace(list.Text, LineEnding, #13#10, [rfReplaceAll])));
  finally
    list.Free;
  end;
end;

const
  ParseInputs: array[0..47] of string = (
    '', ' ', 'a', 'a,b', 'a, b', 'a b', 'a  ,  b', ',', ',,', 'a,', ',a', 'a,,b', 'a, ,b',
    '"a b",c', '"a""b"', '"a,b"', '""', '""""', '"', '"abc', 'ab"c', '"ab"cd', '"ab" cd',
    'a"b"c', '  "x"  ,  "y"  ', 'a'#9'b', 'a'#13#10'b', #1'a'#1, 'a,"",b', '"",', ',""',
    'x ,', 'x , ', '" a "', #$C3#$A9','#$C5#$9F, '"'#$C3#$A9' '#$C5#$9F'"', 'a;b', '''a b''',
    '"a"",b"', 'a,'#13#10'b', '"x"'#9'"y"', '"a'#13#10'b",c', '  ', ' , ', '"""', 'a""b',
    'a'#0'b,c', '"a'#0'b",c');

procedure ListCases(delimited: Boolean; delim, quote: Char; strict: Boolean);
begin
  GetCase([], delimited, delim, quote, strict);
  GetCase([''], delimited, delim, quote, strict);
  GetCase(['', ''], delimited, delim, quote, strict);
  GetCase(['a'], delimited, delim, quote, strict);
  GetCase(['a', 'b'], delimited, delim, quote, strict);
  GetCase(['a b'], delimited, delim, quote, strict);
  GetCase(['a,b'], delimited, delim, quote, strict);
  GetCase(['a;b'], delimited, delim, quote, strict);
  GetCase(['a"b'], delimited, delim, quote, strict);
  GetCase(['x''y'], delimited, delim, quote, strict);
  GetCase(['"'], delimited, delim, quote, strict);
  GetCase(['a', '', 'b'], delimited, delim, quote, strict);
  GetCase(['a', ''], delimited, delim, quote, strict);
  GetCase(['', 'a'], delimited, delim, quote, strict);
  GetCase([' '], delimited, delim, quote, strict);
  GetCase(['a'#9], delimited, delim, quote, strict);
  GetCase([#1], delimited, delim, quote, strict);
  GetCase([#127], delimited, delim, quote, strict);
  GetCase([#$C3#$A9, #$C5#$9F' x'], delimited, delim, quote, strict);
  GetCase(['a=b', 'c=d e'], delimited, delim, quote, strict);
  GetCase(['"quoted"'], delimited, delim, quote, strict);
  GetCase(['trailing '], delimited, delim, quote, strict);
  GetCase(['a'#13#10'b'], delimited, delim, quote, strict);
  GetCase(['Ocak', 'Şubat', 'Mart'], delimited, delim, quote, strict);
  GetCase(['a'#0'b'], delimited, delim, quote, strict);
end;

procedure ParseCases(delimited: Boolean; delim, quote: Char; strict: Boolean);
var
  i: Integer;
begin
  for i := 0 to High(ParseInputs) do ParseCase(ParseInputs[i], delimited, delim, quote, strict);
end;

procedure Mode(delimited: Boolean; delim, quote: Char; strict: Boolean);
begin
  WriteLn('M ', Esc(delim), ' ', Esc(quote), ' ', Ord(strict));
  ListCases(delimited, delim, quote, strict);
  ParseCases(delimited, delim, quote, strict);
end;

begin
  Mode(False, ',', '"', False);
  // CommaText of lists whose own delimiter settings differ.
  Mode(False, ';', '''', True);
  Mode(True, ';', '''', False);
  Mode(True, ',', '"', True);
  Mode(True, '|', '"', False);
  TextCase('');
  TextCase('a');
  TextCase('a'#13#10);
  TextCase('a'#13#10'b');
  TextCase('a'#10'b'#13'c'#13#10'd');
  TextCase('a'#10#13'b');
  TextCase(#13#10#13#10);
  TextCase('a'#13#13'b'#10#10);
  TextCase(' a '#13#10' ');
  TextCase('a'#0'b'#10'c');
end.
