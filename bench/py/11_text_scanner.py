def main():
    text = ""
    while len(text) < 100000:
        text += "The quick brown fox, aged 42, jumps over 7 lazy dogs. "
    n = len(text)
    words = 0
    digits = 0
    spaces = 0
    other = 0
    pass_ = 0
    while pass_ < 10:
        inword = 0
        i = 1
        while i <= n:
            c = text[i - 1]
            if c >= "a" and c <= "z" or c >= "A" and c <= "Z":
                if inword == 0:
                    words += 1
                inword = 1
            else:
                inword = 0
                if c >= "0" and c <= "9":
                    digits += int(c)
                elif c == " ":
                    spaces += 1
                else:
                    other += 1
            i += 1
        pass_ += 1
    print(words + digits + spaces + other)


main()
