object DemoLists: TDemoListsPage
  Left = 560
  Top = 420
  BorderStyle = bsSingle
  Caption = '控件：列表视图与树视图'
  ClientWidth = 700
  ClientHeight = 430
  Color = clBtnFace
  Font.Charset = 134
  Font.Height = -14
  Font.Name = '宋体'
  Position = poDesigned
  object FilesLabel: TLabel
    Left = 12
    Top = 10
    Caption = '报表式列表视图（带标题，点击列标题试试）'
  end
  object FilesList: TListView
    Left = 12
    Top = 32
    Width = 420
    Height = 220
    ViewStyle = vsReport
    RowSelect = True
    GridLines = True
    HideSelection = False
    ReadOnly = True
    TabOrder = 0
    Columns = <
      item
        Caption = '名称'
        Width = 120
      end
      item
        Caption = '大小'
        Width = 70
        Alignment = taRightJustify
      end
      item
        Caption = '类型'
        Width = 100
      end
      item
        Caption = '修改日期'
        Width = 130
        Alignment = taCenter
      end>
    Items = <
      item
        Caption = '文件 01'
        SubItems.Strings = (
          '8 KB'
          '位图图像'
          '2026-12-02')
      end
      item
        Caption = '文件 02'
        SubItems.Strings = (
          '15 KB'
          '压缩文件'
          '2026-12-03')
      end
      item
        Caption = '文件 03'
        Selected = True
        SubItems.Strings = (
          '22 KB'
          '程序'
          '2026-12-04')
      end
      item
        Caption = '文件 04'
        SubItems.Strings = (
          '29 KB'
          '文本文档'
          '2026-12-05')
      end
      item
        Caption = '文件 05'
        SubItems.Strings = (
          '36 KB'
          '位图图像'
          '2026-12-06')
      end
      item
        Caption = '文件 06'
        SubItems.Strings = (
          '43 KB'
          '压缩文件'
          '2026-12-07')
      end
      item
        Caption = '文件 07'
        SubItems.Strings = (
          '50 KB'
          '程序'
          '2026-12-08')
      end
      item
        Caption = '文件 08'
        SubItems.Strings = (
          '57 KB'
          '文本文档'
          '2026-12-09')
      end
      item
        Caption = '文件 09'
        SubItems.Strings = (
          '64 KB'
          '位图图像'
          '2026-12-10')
      end
      item
        Caption = '文件 10'
        SubItems.Strings = (
          '71 KB'
          '压缩文件'
          '2026-12-11')
      end
      item
        Caption = '文件 11'
        SubItems.Strings = (
          '78 KB'
          '程序'
          '2026-12-12')
      end
      item
        Caption = '文件 12'
        SubItems.Strings = (
          '85 KB'
          '文本文档'
          '2026-12-13')
      end
      item
        Caption = '文件 13'
        SubItems.Strings = (
          '92 KB'
          '位图图像'
          '2026-12-14')
      end
      item
        Caption = '文件 14'
        SubItems.Strings = (
          '2 KB'
          '压缩文件'
          '2026-12-15')
      end
      item
        Caption = '文件 15'
        SubItems.Strings = (
          '9 KB'
          '程序'
          '2026-12-16')
      end
      item
        Caption = '文件 16'
        SubItems.Strings = (
          '16 KB'
          '文本文档'
          '2026-12-17')
      end
      item
        Caption = '文件 17'
        SubItems.Strings = (
          '23 KB'
          '位图图像'
          '2026-12-18')
      end
      item
        Caption = '文件 18'
        SubItems.Strings = (
          '30 KB'
          '压缩文件'
          '2026-12-19')
      end
      item
        Caption = '文件 19'
        SubItems.Strings = (
          '37 KB'
          '程序'
          '2026-12-20')
      end
      item
        Caption = '文件 20'
        SubItems.Strings = (
          '44 KB'
          '文本文档'
          '2026-12-21')
      end
      item
        Caption = '文件 21'
        SubItems.Strings = (
          '51 KB'
          '位图图像'
          '2026-12-22')
      end
      item
        Caption = '文件 22'
        SubItems.Strings = (
          '58 KB'
          '压缩文件'
          '2026-12-23')
      end
      item
        Caption = '文件 23'
        SubItems.Strings = (
          '65 KB'
          '程序'
          '2026-12-24')
      end
      item
        Caption = '文件 24'
        SubItems.Strings = (
          '72 KB'
          '文本文档'
          '2026-12-25')
      end
      item
        Caption = '文件 25'
        SubItems.Strings = (
          '79 KB'
          '位图图像'
          '2026-12-26')
      end
      item
        Caption = '文件 26'
        SubItems.Strings = (
          '86 KB'
          '压缩文件'
          '2026-12-27')
      end
      item
        Caption = '文件 27'
        SubItems.Strings = (
          '93 KB'
          '程序'
          '2026-12-28')
      end
      item
        Caption = '文件 28'
        SubItems.Strings = (
          '3 KB'
          '文本文档'
          '2026-12-01')
      end
      item
        Caption = '文件 29'
        SubItems.Strings = (
          '10 KB'
          '位图图像'
          '2026-12-02')
      end
      item
        Caption = '文件 30'
        SubItems.Strings = (
          '17 KB'
          '压缩文件'
          '2026-12-03')
      end
      item
        Caption = '文件 31'
        SubItems.Strings = (
          '24 KB'
          '程序'
          '2026-12-04')
      end
      item
        Caption = '文件 32'
        SubItems.Strings = (
          '31 KB'
          '文本文档'
          '2026-12-05')
      end
      item
        Caption = '文件 33'
        SubItems.Strings = (
          '38 KB'
          '位图图像'
          '2026-12-06')
      end
      item
        Caption = '文件 34'
        SubItems.Strings = (
          '45 KB'
          '压缩文件'
          '2026-12-07')
      end
      item
        Caption = '文件 35'
        SubItems.Strings = (
          '52 KB'
          '程序'
          '2026-12-08')
      end
      item
        Caption = '文件 36'
        SubItems.Strings = (
          '59 KB'
          '文本文档'
          '2026-12-09')
      end
      item
        Caption = '文件 37'
        SubItems.Strings = (
          '66 KB'
          '位图图像'
          '2026-12-10')
      end
      item
        Caption = '文件 38'
        SubItems.Strings = (
          '73 KB'
          '压缩文件'
          '2026-12-11')
      end
      item
        Caption = '文件 39'
        SubItems.Strings = (
          '80 KB'
          '程序'
          '2026-12-12')
      end
      item
        Caption = '文件 40'
        SubItems.Strings = (
          '87 KB'
          '文本文档'
          '2026-12-13')
      end>
    OnSelectItem = FileSelected
    OnColumnClick = ColumnClicked
  end
  object DisabledList: TListView
    Left = 12
    Top = 264
    Width = 420
    Height = 110
    Enabled = False
    ViewStyle = vsReport
    TabOrder = 1
    Columns = <
      item
        Caption = '不可用的列表'
        Width = 200
      end
      item
        Caption = '说明'
        Width = 150
      end>
    Items = <
      item
        Caption = '第一行'
        SubItems.Strings = (
          '不能选择')
      end
      item
        Caption = '第二行'
        SubItems.Strings = (
          '灰色的文字')
      end>
  end
  object FoldersLabel: TLabel
    Left = 448
    Top = 10
    Caption = '树视图'
  end
  object FolderTree: TTreeView
    Left = 448
    Top = 32
    Width = 240
    Height = 220
    HideSelection = False
    ReadOnly = True
    TabOrder = 2
    Items = <
      item
        Text = '我的文档'
        Expanded = True
        Items = <
          item
            Text = '报告'
            Expanded = True
            Items = <
              item
                Text = '第一季度'
              end
              item
                Text = '第二季度'
              end
              item
                Text = '第三季度'
              end
              item
                Text = '第四季度'
              end>
          end
          item
            Text = '信件'
            Items = <
              item
                Text = '草稿'
              end
              item
                Text = '已发送'
              end>
          end
          item
            Text = '照片'
            Expanded = True
            Items = <
              item
                Text = '旅行'
              end
              item
                Text = '家人'
              end>
          end>
      end
      item
        Text = '音乐'
        Items = <
          item
            Text = '古典'
          end
          item
            Text = '民乐'
          end>
      end
      item
        Text = '视频'
      end
      item
        Text = '下载'
        Expanded = True
        Items = <
          item
            Text = '安装程序'
          end
          item
            Text = '文档'
          end>
      end>
    OnChange = FolderChanged
  end
  object PlainTree: TTreeView
    Left = 448
    Top = 264
    Width = 240
    Height = 110
    ShowLines = False
    ShowRoot = False
    Enabled = False
    TabOrder = 3
    Items = <
      item
        Text = '不可用、无连线的树'
        Expanded = True
        Items = <
          item
            Text = '子节点'
          end>
      end>
  end
  object StatusLabel: TLabel
    Left = 12
    Top = 392
    Caption = '选中：文件 03'
  end
  object CloseButton: TButton
    Left = 588
    Top = 388
    Width = 100
    Height = 30
    Caption = '关闭'
    TabOrder = 4
    OnClick = CloseClick
  end
end
