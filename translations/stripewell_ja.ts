<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>render</name>
    <message>
        <source>Try &apos;stripewell-render --help&apos;.</source>
        <translation>詳しくは &apos;stripewell-render --help&apos; をご覧ください。</translation>
    </message>
</context>
</TS>
